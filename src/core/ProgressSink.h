#pragma once

// Something that shows how far a long rebuild has come (the progress window).
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void begin(int maximum) = 0;
    virtual void advance(int position) = 0;
    virtual void end() = 0;
};

#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

inline constexpr int DeviceStallMs = 1000;

// What an output plays: called on the back end's audio thread (or, in the virtual back end,
// on the thread that moves its clock).
class PlaybackSource {
public:
    virtual ~PlaybackSource() = default;
    // Fills `frames` frames of `out` in the output's format: sound, then silence. `heard` is
    // how many of all the frames handed so far have been heard by now. A call with no
    // frames only looks at `heard`.
    virtual void render(qint16 *out, int frames, qint64 heard) = 0;
    // The output's device is gone (see AudioBackend); `heard` is its last count. Called once,
    // on any thread, never during render.
    virtual void outputLost(qint64 heard) = 0;
};

// Where an input delivers what it captured, in the input's format; same threads as above.
class CaptureSink {
public:
    virtual ~CaptureSink() = default;
    virtual void capture(const qint16 *in, int frames) = 0;
    // The input's device is gone (see AudioBackend). Called once, on any thread, never during
    // capture.
    virtual void inputLost() = 0;
};

// An open output. Destroying it stops it and waits until its thread has left the source.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // How many of the frames handed so far have been heard by now; never goes back.
    virtual qint64 heardFrames() const = 0;
};

// An open input. Destroying it stops it and waits until its thread has left the sink.
class AudioInput {
public:
    virtual ~AudioInput() = default;
};

// The platform's sound, behind which the sound device works: SDL in the program, a virtual
// clock in tests. Formats are 16-bit interleaved samples at `rate` with `channels`; the back
// end converts to whatever its hardware wants.
//
// A stream whose device the platform reports removed or stopped, or whose callbacks have not
// come for DeviceStallMs (a sound server that died calls nothing any more), is lost: the back
// end tells its source or sink once, and the stream stays silent until it is destroyed. Streams
// opened afterwards get a device of their own, on the server that may have come back.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Null, with the platform's reason in `error`, when no output can be opened.
    virtual std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source,
                                                    QString &error) = 0;
    virtual std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) = 0;
};

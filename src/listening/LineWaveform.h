#pragma once

#include "core/SegmentFile.h"

#include <QtGlobal>

#include <memory>
#include <vector>

struct SoundData;

// The waveform of one line of a sound, as the strip under the text-work slider draws it: the
// lowest and highest sample (of any channel) in each pixel column of the line's frames. It is
// worked out once for a line and a width; a tick that leaves both alone only asks columnAt().
class LineWaveform {
public:
    struct Column {
        qint16 low = 0;
        qint16 high = 0;
    };

    // Shows `line` (milliseconds, end exclusive) of `sound` in `width` columns; a line outside
    // the sound is cut to it. Nothing (no columns) without a sound, a line or a width. False
    // when all three are as before, and nothing was worked out.
    bool show(std::shared_ptr<const SoundData> sound, Segment line, int width);

    const std::shared_ptr<const SoundData> &sound() const { return sound_; }
    Segment line() const { return line_; }
    const std::vector<Column> &columns() const { return columns_; }
    // The column that position `ms` of the sound falls in; -1 outside the line.
    int columnAt(qint32 ms) const;

private:
    std::shared_ptr<const SoundData> sound_;
    Segment line_;
    int width_ = 0;
    std::vector<Column> columns_;
};

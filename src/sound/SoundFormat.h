#pragma once

#include <QtGlobal>

// A sound as the device keeps it: 16-bit samples, interleaved, at the file's own rate and
// channel count. `fileFormat` is libsndfile's code of the file's own encoding, which a save
// writes back.
struct SoundFormat {
    int rate = 0;
    int channels = 0;
    int fileFormat = 0;
};

// Positions are whole milliseconds. A position maps to the first frame that starts at or
// after it, so that a position given in ms reads back as the same ms.
constexpr qint64 framesForMs(qint64 ms, int rate)
{
    return (ms * rate + 999) / 1000;
}

constexpr qint64 msForFrames(qint64 frames, int rate)
{
    return frames * 1000 / rate;
}

// Sounds larger than this many samples are refused: a damaged header or an endless recording
// must not exhaust memory (128 Mi samples, 256 MiB; over an hour and a half of 22050 Hz mono).
inline constexpr qint64 MaxSoundSamples = 128LL * 1024 * 1024;

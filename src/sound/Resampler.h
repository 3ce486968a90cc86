#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

// Turns a sound's 16-bit frames at its own rate into a device's float frames at the device's
// rate, by 4-point cubic (Catmull-Rom) interpolation stepped at the exact ratio of the two
// rates. It keeps back two frames only, and it always knows which source frame is playing;
// at equal rates it passes every frame through unchanged.
class Resampler {
public:
    Resampler(int sourceRate, int sourceChannels, int deviceRate, int deviceChannels);

    // How many more source frames producing `deviceFrames` frames takes.
    int sourceFramesNeeded(int deviceFrames) const;
    // Adds `deviceFrames` interleaved frames to `out`, taking exactly
    // sourceFramesNeeded(deviceFrames) interleaved frames from `source`.
    void mixInto(float *out, int deviceFrames, const qint16 *source);
    // Source frames played to their end so far.
    qint64 played() const { return played_; }

private:
    void take(const qint16 *frame);

    int sourceRate_;
    int sourceChannels_;
    int deviceRate_;
    int deviceChannels_;
    bool primed_ = false;
    qint64 phase_ = 0; // how far between the current frame and the next, in 1/deviceRate steps
    qint64 played_ = 0;
    // Per source channel, the frames before, at and after the playing one.
    std::array<std::array<float, 4>, 2> window_{};
};

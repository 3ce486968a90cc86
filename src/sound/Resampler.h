#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

struct SpeexResamplerState_;

// Turns a sound's 16-bit frames at its own rate into a device's float frames at the device's
// rate with speexdsp's band-limited (windowed sinc) resampler, stepped at the exact ratio of
// the two rates. Device frame d plays the sound at source time d * sourceRate / deviceRate
// exactly: the filter's delay is taken up by handing the source a fixed number of frames
// ahead (framesAhead(), at most 4.5 ms), so it always knows which source frame is playing.
// At equal rates it passes every frame through unchanged.
class Resampler {
public:
    Resampler(int sourceRate, int sourceChannels, int deviceRate, int deviceChannels);
    ~Resampler();

    Resampler(const Resampler &) = delete;
    Resampler &operator=(const Resampler &) = delete;

    // How many more source frames producing `deviceFrames` frames takes.
    int sourceFramesNeeded(int deviceFrames) const;
    // Adds `deviceFrames` interleaved frames to `out`, taking exactly
    // sourceFramesNeeded(deviceFrames) interleaved frames from `source`.
    void mixInto(float *out, int deviceFrames, const qint16 *source);
    // Source frames played to their end so far.
    qint64 played() const;
    // How many frames the source hands before they play: the filter's look-ahead.
    int framesAhead() const { return ahead_; }

private:
    struct SpeexDeleter {
        void operator()(SpeexResamplerState_ *state) const;
    };

    int sourceRate_;
    int sourceChannels_;
    int deviceRate_;
    int deviceChannels_;
    int ahead_ = 0;
    std::unique_ptr<SpeexResamplerState_, SpeexDeleter> speex_; // null at equal rates
    qint64 produced_ = 0; // device frames made so far
    qint64 taken_ = 0;    // source frames taken so far
    std::vector<float> pending_;   // source frames taken but not yet used by the filter
    std::vector<float> converted_; // one call's device frames, in the source's channels
};

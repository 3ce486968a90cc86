#include "Resampler.h"

#include <algorithm>

namespace {

float catmullRom(const std::array<float, 4> &w, float t)
{
    return w[1] + 0.5f * t *
                      (w[2] - w[0] +
                       t * (2.0f * w[0] - 5.0f * w[1] + 4.0f * w[2] - w[3] + t * (3.0f * (w[1] - w[2]) + w[3] - w[0])));
}

} // namespace

Resampler::Resampler(int sourceRate, int sourceChannels, int deviceRate, int deviceChannels)
    : sourceRate_(std::max(sourceRate, 1)), sourceChannels_(std::clamp(sourceChannels, 1, 2)),
      deviceRate_(std::max(deviceRate, 1)), deviceChannels_(std::max(deviceChannels, 1))
{
}

int Resampler::sourceFramesNeeded(int deviceFrames) const
{
    // Each step past the playing frame takes one frame; the first call fills the window.
    const qint64 steps = (phase_ + qint64(deviceFrames) * sourceRate_) / deviceRate_;
    return int(steps) + (primed_ ? 0 : 3);
}

void Resampler::take(const qint16 *frame)
{
    for (int c = 0; c < sourceChannels_; ++c) {
        auto &w = window_[size_t(c)];
        w = {w[1], w[2], w[3], float(frame[c]) / 32768.0f};
    }
}

void Resampler::mixInto(float *out, int deviceFrames, const qint16 *source)
{
    if (!primed_) {
        // Silence before the first frame, which then plays at once.
        for (int i = 0; i < 3; ++i, source += sourceChannels_)
            take(source);
        primed_ = true;
    }
    for (int f = 0; f < deviceFrames; ++f, out += deviceChannels_) {
        const float t = float(phase_) / float(deviceRate_);
        const float left = catmullRom(window_[0], t);
        const float right = sourceChannels_ == 2 ? catmullRom(window_[1], t) : left;
        if (deviceChannels_ == 1) {
            out[0] += 0.5f * (left + right);
        } else {
            out[0] += left;
            out[1] += right;
        }
        phase_ += sourceRate_;
        while (phase_ >= deviceRate_) {
            phase_ -= deviceRate_;
            take(source);
            source += sourceChannels_;
            ++played_;
        }
    }
}

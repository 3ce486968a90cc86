#include "Resampler.h"

#include <speex/speex_resampler.h>

#include <algorithm>

namespace {

// speexdsp's qualities 4 to 8 all put images and aliases about 100 dB down; the higher ones
// keep more of the top of the sound's band (at 11025 Hz, 5 kHz loses 0.85 dB at quality 5,
// 0.27 dB at 6) with longer filters, whose look-ahead delays the start of every sound.
// The best quality whose look-ahead stays within this is taken.
constexpr int MaxQuality = 8;
constexpr int MinQuality = 4;
constexpr double MaxLookAheadSeconds = 0.0045;

} // namespace

void Resampler::SpeexDeleter::operator()(SpeexResamplerState_ *state) const
{
    speex_resampler_destroy(state);
}

Resampler::Resampler(int sourceRate, int sourceChannels, int deviceRate, int deviceChannels)
    : sourceRate_(std::max(sourceRate, 1)), sourceChannels_(std::clamp(sourceChannels, 1, 2)),
      deviceRate_(std::max(deviceRate, 1)), deviceChannels_(std::max(deviceChannels, 1))
{
    if (sourceRate_ == deviceRate_)
        return;
    for (int quality = MaxQuality; quality >= MinQuality; --quality) {
        int error = 0;
        speex_.reset(speex_resampler_init(spx_uint32_t(sourceChannels_), spx_uint32_t(sourceRate_),
                                          spx_uint32_t(deviceRate_), quality, &error));
        if (!speex_)
            return; // only an allocation failure: the frames then pass unchanged
        if (speex_resampler_get_input_latency(speex_.get()) + 1 <= MaxLookAheadSeconds * sourceRate_)
            break;
    }
    // Device frame 0 plays source frame 0 rather than the filter's leading zeros; the
    // source then hands the frames the filter reaches forward to.
    speex_resampler_skip_zeros(speex_.get());
    ahead_ = speex_resampler_get_input_latency(speex_.get()) + 1;
}

Resampler::~Resampler() = default;

qint64 Resampler::played() const
{
    return produced_ * sourceRate_ / deviceRate_;
}

int Resampler::sourceFramesNeeded(int deviceFrames) const
{
    // After these frames the playing source frame is (produced + n) * rate ratio; the filter
    // needs `ahead_` frames from there on.
    return int((produced_ + deviceFrames) * sourceRate_ / deviceRate_ + ahead_ - taken_);
}

void Resampler::mixInto(float *out, int deviceFrames, const qint16 *source)
{
    const int needed = sourceFramesNeeded(deviceFrames);
    taken_ += needed;
    produced_ += deviceFrames;

    const size_t used = pending_.size();
    pending_.resize(used + size_t(needed * sourceChannels_));
    for (size_t i = 0; i < size_t(needed * sourceChannels_); ++i)
        pending_[used + i] = float(source[i]) * (1.0f / 32768.0f);

    converted_.assign(size_t(deviceFrames * sourceChannels_), 0.0f);
    spx_uint32_t consumed = spx_uint32_t(pending_.size()) / spx_uint32_t(sourceChannels_);
    if (speex_) {
        spx_uint32_t made = spx_uint32_t(deviceFrames);
        speex_resampler_process_interleaved_float(speex_.get(), pending_.data(), &consumed, converted_.data(), &made);
    } else {
        consumed = std::min(consumed, spx_uint32_t(deviceFrames));
        std::copy_n(pending_.begin(), consumed * spx_uint32_t(sourceChannels_), converted_.begin());
    }
    pending_.erase(pending_.begin(), pending_.begin() + qsizetype(consumed * spx_uint32_t(sourceChannels_)));

    const float *in = converted_.data();
    for (int f = 0; f < deviceFrames; ++f, out += deviceChannels_, in += sourceChannels_) {
        const float left = in[0];
        const float right = sourceChannels_ == 2 ? in[1] : left;
        if (deviceChannels_ == 1) {
            out[0] += 0.5f * (left + right);
        } else {
            out[0] += left;
            out[1] += right;
        }
    }
}

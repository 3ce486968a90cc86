#include "CaptureConverter.h"

#include <speex/speex_resampler.h>

#include <algorithm>
#include <cmath>

namespace {

// A recording is heard once, not mixed with anything: quality 5 leaves only the 16-bit
// rounding (over 90 dB below a half-scale tone).
constexpr int Quality = 5;

qint16 sampleOf(float value)
{
    return qint16(std::lrint(std::clamp(value, -32768.0f, 32767.0f)));
}

} // namespace

void CaptureConverter::SpeexDeleter::operator()(SpeexResamplerState_ *state) const
{
    speex_resampler_destroy(state);
}

CaptureConverter::CaptureConverter(int deviceRate, int deviceChannels, int rate, int channels)
    : deviceRate_(std::max(deviceRate, 1)), deviceChannels_(std::max(deviceChannels, 1)), rate_(std::max(rate, 1)),
      channels_(std::clamp(channels, 1, 2))
{
    if (deviceRate_ == rate_)
        return;
    int error = 0;
    speex_.reset(speex_resampler_init(spx_uint32_t(channels_), spx_uint32_t(deviceRate_), spx_uint32_t(rate_),
                                      Quality, &error));
    // The recording starts with the device's first frame, not with the filter's zeros.
    if (speex_)
        speex_resampler_skip_zeros(speex_.get());
}

CaptureConverter::~CaptureConverter() = default;

int CaptureConverter::convert(const qint16 *in, int frames)
{
    if (frames <= 0)
        return 0;
    mapped_.resize(size_t(frames * channels_));
    for (int f = 0; f < frames; ++f, in += deviceChannels_) {
        if (channels_ == 1) {
            // A mono recording of a stereo device takes both sides.
            float sum = 0.0f;
            for (int c = 0; c < deviceChannels_; ++c)
                sum += float(in[c]);
            mapped_[size_t(f)] = sum / float(deviceChannels_);
        } else {
            mapped_[size_t(2 * f)] = float(in[0]);
            mapped_[size_t(2 * f + 1)] = float(in[deviceChannels_ > 1 ? 1 : 0]);
        }
    }

    const float *converted = mapped_.data();
    int made = frames;
    if (speex_) {
        // Room for every frame this piece can give, so the filter takes the whole piece.
        const size_t room = size_t(qint64(frames) * rate_ / deviceRate_ + 4);
        resampled_.resize(room * size_t(channels_));
        spx_uint32_t consumed = spx_uint32_t(frames);
        spx_uint32_t produced = spx_uint32_t(room);
        speex_resampler_process_interleaved_float(speex_.get(), mapped_.data(), &consumed, resampled_.data(),
                                                  &produced);
        converted = resampled_.data();
        made = int(produced);
    }
    output_.resize(size_t(made * channels_));
    for (size_t i = 0; i < output_.size(); ++i)
        output_[i] = sampleOf(converted[i]);
    return made;
}

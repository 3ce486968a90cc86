#include "TimeStretch.h"

#include <soundtouch/SoundTouch.h>

#include <algorithm>
#include <cmath>

namespace {
// Converted in pieces so that the audio thread works in a buffer it already holds.
constexpr qint64 PieceFrames = 1024;
}

TimeStretch::TimeStretch() : engine_(std::make_unique<soundtouch::SoundTouch>()) {}

TimeStretch::~TimeStretch() = default;

void TimeStretch::start(int rate, int channels, int percent)
{
    channels_ = std::clamp(channels, 1, 2);
    engine_->clear();
    engine_->setSampleRate(uint(std::max(rate, 1)));
    engine_->setChannels(uint(channels_));
    setSpeed(percent);
    // Settings for speech, fixed: the automatic ones choose long sequences at low speeds,
    // which shift the sound against its timeline by up to 60 ms; these keep it within 25 ms.
    engine_->setSetting(SETTING_SEQUENCE_MS, 40);
    engine_->setSetting(SETTING_SEEKWINDOW_MS, 15);
    engine_->setSetting(SETTING_OVERLAP_MS, 8);
    buffer_.resize(size_t(PieceFrames * channels_));
}

void TimeStretch::setSpeed(int percent)
{
    engine_->setTempo(std::clamp(percent, 1, 100) / 100.0);
}

void TimeStretch::feed(const qint16 *in, qint64 frames)
{
    while (frames > 0) {
        const qint64 piece = std::min(frames, PieceFrames);
        const qint64 samples = piece * channels_;
        for (qint64 i = 0; i < samples; ++i)
            buffer_[size_t(i)] = float(in[i]) / 32768.0f;
        engine_->putSamples(buffer_.data(), uint(piece));
        in += samples;
        frames -= piece;
    }
}

void TimeStretch::finish()
{
    engine_->flush();
}

qint64 TimeStretch::available() const
{
    return engine_->numSamples();
}

qint64 TimeStretch::take(qint16 *out, qint64 frames)
{
    qint64 written = 0;
    while (written < frames) {
        const uint got = engine_->receiveSamples(buffer_.data(), uint(std::min(frames - written, PieceFrames)));
        if (got == 0)
            break;
        const qint64 samples = qint64(got) * channels_;
        for (qint64 i = 0; i < samples; ++i)
            out[i] = qint16(std::clamp(std::lround(buffer_[size_t(i)] * 32768.0f), -32768L, 32767L));
        out += samples;
        written += got;
    }
    return written;
}

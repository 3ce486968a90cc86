#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

struct SpeexResamplerState_;

// Turns a capture device's 16-bit frames into a recording's frames: its channel count, then
// its rate, with the same band-limited resampler as playback. The filter keeps its state from
// one piece to the next, so the pieces a device delivers, whatever their size, join into one
// clean sound; recording frame r is the device's sound at time r / rate after its first frame.
class CaptureConverter {
public:
    CaptureConverter(int deviceRate, int deviceChannels, int rate, int channels);
    ~CaptureConverter();

    CaptureConverter(const CaptureConverter &) = delete;
    CaptureConverter &operator=(const CaptureConverter &) = delete;

    // Converts `frames` interleaved device frames; returns how many recording frames are now
    // in output(), valid until the next call.
    int convert(const qint16 *in, int frames);
    const qint16 *output() const { return output_.data(); }

private:
    struct SpeexDeleter {
        void operator()(SpeexResamplerState_ *state) const;
    };

    int deviceRate_;
    int deviceChannels_;
    int rate_;
    int channels_;
    std::unique_ptr<SpeexResamplerState_, SpeexDeleter> speex_; // null at equal rates
    std::vector<float> mapped_;    // the piece in the recording's channels
    std::vector<float> resampled_; // and at its rate
    std::vector<qint16> output_;
};

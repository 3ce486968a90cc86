#pragma once

#include "AudioBackend.h"

#include <memory>
#include <stop_token>
#include <thread>

class SdlDeviceCloser;
class SdlMixer;
class SdlMicrophone;

// The platform's sound through SDL's audio subsystem (PipeWire, PulseAudio or ALSA on a
// desktop; the dummy driver in tests). Every output of the program is mixed into one SDL
// playback device and every input fed from one SDL capture device: some drivers open only
// one of each, and one stream per direction is all a sound server needs. Each device opens
// with its first output (input). The microphone closes as soon as its last input does; the
// playback device lingers 30 s after its last output, so that playing one segment after
// another neither opens nor closes it. Devices close on a thread of their own
// (SdlDeviceCloser), never on the caller's. Outputs are resampled into the device's frames by
// a Resampler each, inputs from the device's frames by a CaptureConverter each.
//
// A thread of its own watches both devices: one that stops running (see AudioBackend) is
// dead, its streams are told, and the next stream to open gets a new device.
class SdlAudioBackend final : public AudioBackend {
public:
    SdlAudioBackend();
    ~SdlAudioBackend() override;

    SdlAudioBackend(const SdlAudioBackend &) = delete;
    SdlAudioBackend &operator=(const SdlAudioBackend &) = delete;

    std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source,
                                            QString &error) override;
    std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) override;

private:
    // Starts SDL's audio once; false, with SDL's reason, when it cannot start.
    bool start(QString &error);
    void watchDevices(std::stop_token stop);

    bool started_ = false;
    std::unique_ptr<SdlDeviceCloser> closer_;
    std::unique_ptr<SdlMixer> mixer_;
    std::unique_ptr<SdlMicrophone> microphone_;
    std::jthread watch_;
};

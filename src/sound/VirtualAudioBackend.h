#pragma once

#include "AudioBackend.h"

#include <deque>
#include <functional>
#include <vector>

// A sound card on a virtual clock, for tests: nothing happens until the test moves time on,
// and then everything happens at exact, repeatable moments.
//
// Time runs in whole milliseconds. At each millisecond t every open output is handed the
// frames of [t, t + 1) and every open input delivers the frames of [t, t + 1) from its
// microphone; a frame handed at t is heard at t + latency. The notifications queued to the
// user-interface thread by then are delivered before time moves on.
class VirtualAudioBackend final : public AudioBackend {
public:
    explicit VirtualAudioBackend(int latencyMs = 0);
    ~VirtualAudioBackend() override;

    VirtualAudioBackend(const VirtualAudioBackend &) = delete;
    VirtualAudioBackend &operator=(const VirtualAudioBackend &) = delete;

    // Moves the clock `ms` milliseconds on.
    void advance(int ms);
    qint64 nowMs() const { return now_; }

    // The sound server dies: from now on no stream gets callbacks and none opens; each is
    // reported lost once it has been silent for DeviceStallMs.
    void stopServer() { serverUp_ = false; }
    // The server is back: streams opened from now on run; those of before stay silent.
    void startServer();
    // The platform reports the devices of every open stream removed: each is reported lost at
    // the next millisecond, and the card goes on working for streams opened later.
    void removeDevices();

    // A card without outputs or inputs, or one that cannot record while it plays.
    void setOutputPresent(bool present) { outputPresent_ = present; }
    void setInputPresent(bool present) { inputPresent_ = present; }
    void setFullDuplex(bool fullDuplex) { fullDuplex_ = fullDuplex; }
    // What the microphone hears: the sample of `channel` at frame `frame` since the input opened.
    using Microphone = std::function<qint16(qint64 frame, int channel)>;
    void setMicrophone(Microphone microphone) { microphone_ = std::move(microphone); }

    // Every output ever opened, in order, with every frame handed to it.
    struct OutputLog {
        int rate = 0;
        int channels = 0;
        std::vector<qint16> samples;
        bool open = true;
    };
    const std::deque<OutputLog> &outputs() const { return logs_; }
    int openOutputs() const { return int(outputStreams_.size()); }
    int openInputs() const { return int(inputStreams_.size()); }

    std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source,
                                            QString &error) override;
    std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) override;

    class Output;
    class Input;

private:
    friend class Output;
    friend class Input;
    void step();
    void deliverQueued();
    bool opens(QString &error) const;

    int latencyMs_;
    qint64 now_ = 0;
    bool outputPresent_ = true;
    bool inputPresent_ = true;
    bool fullDuplex_ = true;
    bool serverUp_ = true;
    int serverRun_ = 0; // streams of an earlier run of the server stay silent
    Microphone microphone_;
    std::deque<OutputLog> logs_;
    std::vector<Output *> outputStreams_;
    std::vector<Input *> inputStreams_;
};

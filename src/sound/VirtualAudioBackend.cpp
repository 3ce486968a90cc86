#include "VirtualAudioBackend.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Frames of a stream at `rate` that lie before `ms` milliseconds of its life.
qint64 framesBefore(qint64 ms, int rate)
{
    return ms <= 0 ? 0 : ms * rate / 1000;
}

template <typename T>
void forget(std::vector<T *> &streams, T *stream)
{
    streams.erase(std::remove(streams.begin(), streams.end(), stream), streams.end());
}

} // namespace

// What every stream of the card shares: whether the card still calls it, and when it was
// called last.
class VirtualStream {
public:
    VirtualStream(qint64 now, int serverRun) : lastCall_(now), serverRun_(serverRun) {}

    bool runs(bool serverUp, int serverRun) const { return !removed_ && serverUp && serverRun == serverRun_; }
    void called(qint64 now) { lastCall_ = now; }
    void remove() { removed_ = true; }
    // True once, when a stream that is not called any more is to be reported lost.
    bool becomesLost(qint64 now)
    {
        if (lostReported_ || !(removed_ || now - lastCall_ >= DeviceStallMs))
            return false;
        lostReported_ = true;
        return true;
    }

private:
    qint64 lastCall_;
    int serverRun_;
    bool removed_ = false;
    bool lostReported_ = false;
};

class VirtualAudioBackend::Output final : public AudioOutput, public VirtualStream {
public:
    Output(VirtualAudioBackend &card, size_t log, int rate, int channels, PlaybackSource &source)
        : VirtualStream(card.now_, card.serverRun_), card_(card), log_(log), rate_(rate), channels_(channels),
          source_(source), openedAt_(card.now_)
    {
    }
    ~Output() override
    {
        card_.logs_[log_].open = false;
        forget(card_.outputStreams_, this);
    }

    qint64 heardFrames() const override
    {
        return std::min(rendered_, framesBefore(card_.now_ - openedAt_ - card_.latencyMs_, rate_));
    }

    void step()
    {
        if (!runs(card_.serverUp_, card_.serverRun_)) {
            if (becomesLost(card_.now_))
                source_.outputLost(heardFrames());
            return;
        }
        called(card_.now_);
        const qint64 age = card_.now_ - openedAt_;
        const int frames = int(framesBefore(age + 1, rate_) - framesBefore(age, rate_));
        buffer_.assign(size_t(frames * channels_), 0);
        source_.render(buffer_.data(), frames, heardFrames());
        rendered_ += frames;
        auto &log = card_.logs_[log_].samples;
        log.insert(log.end(), buffer_.begin(), buffer_.end());
    }

    void look()
    {
        if (runs(card_.serverUp_, card_.serverRun_))
            source_.render(nullptr, 0, heardFrames());
    }

private:
    VirtualAudioBackend &card_;
    size_t log_;
    int rate_;
    int channels_;
    PlaybackSource &source_;
    qint64 openedAt_;
    qint64 rendered_ = 0;
    std::vector<qint16> buffer_;
};

class VirtualAudioBackend::Input final : public AudioInput, public VirtualStream {
public:
    Input(VirtualAudioBackend &card, int rate, int channels, CaptureSink &sink)
        : VirtualStream(card.now_, card.serverRun_), card_(card), rate_(rate), channels_(channels), sink_(sink),
          openedAt_(card.now_)
    {
    }
    ~Input() override { forget(card_.inputStreams_, this); }

    void step()
    {
        if (!runs(card_.serverUp_, card_.serverRun_)) {
            if (becomesLost(card_.now_))
                sink_.inputLost();
            return;
        }
        called(card_.now_);
        const qint64 age = card_.now_ - openedAt_;
        const qint64 first = framesBefore(age, rate_);
        const int frames = int(framesBefore(age + 1, rate_) - first);
        buffer_.assign(size_t(frames * channels_), 0);
        if (card_.microphone_) {
            for (int f = 0; f < frames; ++f)
                for (int c = 0; c < channels_; ++c)
                    buffer_[size_t(f * channels_ + c)] = card_.microphone_(first + f, c);
        }
        sink_.capture(buffer_.data(), frames);
    }

private:
    VirtualAudioBackend &card_;
    int rate_;
    int channels_;
    CaptureSink &sink_;
    qint64 openedAt_;
    std::vector<qint16> buffer_;
};

VirtualAudioBackend::VirtualAudioBackend(int latencyMs) : latencyMs_(latencyMs) {}

VirtualAudioBackend::~VirtualAudioBackend() = default;

void VirtualAudioBackend::startServer()
{
    serverUp_ = true;
    ++serverRun_;
}

void VirtualAudioBackend::removeDevices()
{
    for (Output *output : outputStreams_)
        output->remove();
    for (Input *input : inputStreams_)
        input->remove();
}

bool VirtualAudioBackend::opens(QString &error) const
{
    if (!serverUp_)
        error = QStringLiteral("virtual card: no sound server");
    return serverUp_;
}

std::unique_ptr<AudioOutput> VirtualAudioBackend::openOutput(int rate, int channels, PlaybackSource &source,
                                                             QString &error)
{
    if (!opens(error))
        return nullptr;
    if (!outputPresent_) {
        error = QStringLiteral("virtual card: no output");
        return nullptr;
    }
    logs_.push_back({rate, channels, {}, true});
    auto output = std::make_unique<Output>(*this, logs_.size() - 1, rate, channels, source);
    outputStreams_.push_back(output.get());
    return output;
}

std::unique_ptr<AudioInput> VirtualAudioBackend::openInput(int rate, int channels, CaptureSink &sink, QString &error)
{
    if (!opens(error))
        return nullptr;
    if (!inputPresent_ || (!fullDuplex_ && !outputStreams_.empty())) {
        error = QStringLiteral("virtual card: no input");
        return nullptr;
    }
    auto input = std::make_unique<Input>(*this, rate, channels, sink);
    inputStreams_.push_back(input.get());
    return input;
}

void VirtualAudioBackend::deliverQueued()
{
    QCoreApplication::sendPostedEvents();
}

void VirtualAudioBackend::step()
{
    // A notification handler may close or open streams: walk copies, and skip the closed.
    const std::vector<Output *> outputs = outputStreams_;
    for (Output *output : outputs) {
        if (std::find(outputStreams_.begin(), outputStreams_.end(), output) != outputStreams_.end())
            output->step();
    }
    const std::vector<Input *> inputs = inputStreams_;
    for (Input *input : inputs) {
        if (std::find(inputStreams_.begin(), inputStreams_.end(), input) != inputStreams_.end())
            input->step();
    }
    deliverQueued();
}

void VirtualAudioBackend::advance(int ms)
{
    for (int i = 0; i < ms; ++i) {
        step();
        ++now_;
    }
    // What is heard at the moment reached ends its playbacks now, not at the next step.
    const std::vector<Output *> outputs = outputStreams_;
    for (Output *output : outputs) {
        if (std::find(outputStreams_.begin(), outputStreams_.end(), output) != outputStreams_.end())
            output->look();
    }
    deliverQueued();
}

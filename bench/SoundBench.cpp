// Measures the sound device on the SDL back end in real time and prints the figures the sound
// layer is held to: from Play to the first frame handed to the device, the frames a
// Play(from, to) hands compared with those asked for, how late the end notification comes
// after the last frame is heard, and how far Position strays from the heard position.
//
// "Heard" is taken at face value of the wall clock: the first frame of a segment is heard
// when it is handed to the device (the dummy driver has no latency beyond its period), and
// every later frame at the file's rate after it. Run with SDL_AUDIODRIVER=dummy for the
// figures of the test machines, or on a desktop's own driver.
#include "sound/SdlAudioBackend.h"
#include "sound/SoundDevice.h"
#include "sound/WavFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rate = 22050;

// Sample of frame f: never 0, so that a frame handed can be told from silence, and by its number.
qint16 rampSample(qint64 frame)
{
    return qint16(1 + frame % 30000);
}

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Everything a device hands to the back end, as it is handed: the frames that are not
// silence, and when the first of them went.
class Tap : public PlaybackSource {
public:
    explicit Tap(PlaybackSource &inner) : inner_(inner) {}

    void render(qint16 *out, int frames, qint64 heard) override
    {
        inner_.render(out, frames, heard);
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(mutex_);
        for (int i = 0; i < frames && out; ++i) {
            if (out[i] == 0)
                continue;
            if (sound_.empty())
                // The frame is heard as the device reaches it in this batch.
                firstHeard_ = now + std::chrono::nanoseconds(qint64(i) * 1000000000 / Rate);
            sound_.push_back(out[i]);
        }
    }

    void reset()
    {
        std::lock_guard lock(mutex_);
        sound_.clear();
        firstHeard_ = {};
    }
    std::vector<qint16> sound()
    {
        std::lock_guard lock(mutex_);
        return sound_;
    }
    Clock::time_point firstHeard()
    {
        std::lock_guard lock(mutex_);
        return firstHeard_;
    }

private:
    PlaybackSource &inner_;
    std::mutex mutex_;
    std::vector<qint16> sound_;
    Clock::time_point firstHeard_{};
};

// The SDL back end with a tap between each device and its output.
class TappedBackend : public AudioBackend {
public:
    std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source, QString &error) override
    {
        tap_ = std::make_unique<Tap>(source);
        auto inner = sdl_.openOutput(rate, channels, *tap_, error);
        if (!inner)
            return nullptr;
        return std::make_unique<Output>(std::move(inner));
    }
    std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) override
    {
        return sdl_.openInput(rate, channels, sink, error);
    }
    Tap &tap() { return *tap_; }

private:
    class Output : public AudioOutput {
    public:
        explicit Output(std::unique_ptr<AudioOutput> inner) : inner_(std::move(inner)) {}
        qint64 heardFrames() const override { return inner_->heardFrames(); }

    private:
        std::unique_ptr<AudioOutput> inner_;
    };

    SdlAudioBackend sdl_;
    std::unique_ptr<Tap> tap_;
};

struct Figures {
    std::vector<double> values;
    void add(double value) { values.push_back(value); }
    void print(const char *name, const char *unit)
    {
        std::sort(values.begin(), values.end());
        auto at = [&](double q) { return values[std::min(values.size() - 1, size_t(q * double(values.size())))]; };
        std::printf("%-44s %8.2f %8.2f %8.2f %8.2f  %s (n=%zu)\n", name, values.front(), at(0.5), at(0.95),
                    values.back(), unit, values.size());
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    {
        SoundData ramp;
        ramp.format = {Rate, 1, 0};
        for (qint64 f = 0; f < 4 * Rate; ++f)
            ramp.samples.push_back(rampSample(f));
        QFile file(QStringLiteral("ramp.wav"));
        if (!file.open(QIODevice::WriteOnly) || file.write(encodeWav(ramp)) < 0)
            return 1;
    }

    TappedBackend audio;
    SoundDevice device(audio);
    device.FileName = QStringLiteral("ramp.wav");
    Clock::time_point notifiedAt{};
    int notifications = 0;
    QObject::connect(&device, &SoundDevice::OnNotify, [&] {
        notifiedAt = Clock::now();
        ++notifications;
    });
    device.Open();
    // Let the device settle into its periods before anything is timed.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    Figures firstFrame;
    Figures framesOff;
    Figures notifyDelay;
    Figures positionError;
    std::mt19937 random(4);
    constexpr int Trials = 100;
    for (int trial = 0; trial < Trials; ++trial) {
        const int from = int(random() % 2500);
        const int to = from + 150 + int(random() % 600);
        const bool samplePositions = trial % 2 == 1;
        audio.tap().reset();
        notifications = 0;

        const Clock::time_point playAt = Clock::now();
        device.PlayFrom = from;
        device.PlayTo = to;
        device.Play();
        while (notifications == 0) {
            if (samplePositions) {
                const Clock::time_point now = Clock::now();
                const qint32 position = device.Position();
                const Clock::time_point first = audio.tap().firstHeard();
                if (first != Clock::time_point{} && now > first && notifications == 0) {
                    const double heard = std::min<double>(from + msBetween(first, now), to);
                    positionError.add(std::abs(position - heard));
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                QCoreApplication::processEvents();
            } else {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            }
        }

        const std::vector<qint16> handed = audio.tap().sound();
        const qint64 first = framesForMs(from, Rate);
        const qint64 last = framesForMs(to, Rate);
        qint64 off = std::abs(qint64(handed.size()) - (last - first));
        for (qint64 i = 0; i < std::min<qint64>(qint64(handed.size()), last - first); ++i)
            off += handed[size_t(i)] != rampSample(first + i);
        framesOff.add(double(off));

        const Clock::time_point firstHeard = audio.tap().firstHeard();
        firstFrame.add(msBetween(playAt, firstHeard));
        if (!samplePositions) {
            const Clock::time_point lastHeard =
                firstHeard + std::chrono::nanoseconds((last - first) * 1000000000 / Rate);
            notifyDelay.add(msBetween(lastHeard, notifiedAt));
        }
        // A pause of random length, so that Play falls anywhere in the device's period.
        std::this_thread::sleep_for(std::chrono::microseconds(30000 + random() % 10000));
        QCoreApplication::processEvents();
    }
    device.Close();

    const char *driver = std::getenv("SDL_AUDIODRIVER");
    std::printf("SDL back end, driver %s; %d segments of 150 to 750 ms of a 22050 Hz file\n",
                driver ? driver : "(SDL's choice)", Trials);
    std::printf("%-44s %8s %8s %8s %8s\n", "", "min", "median", "p95", "max");
    firstFrame.print("Play to first frame handed to the device", "ms");
    framesOff.print("frames off, Play(from, to)", "frames");
    notifyDelay.print("notification after the last frame is heard", "ms");
    positionError.print("|Position - heard position| while playing", "ms");
    return 0;
}

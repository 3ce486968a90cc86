// Measures the sound device on the SDL back end in real time and prints the figures the sound
// layer is held to:
// - timing: from Play to the first frame heard, the frames a Play(from, to) hands compared
//   with those asked for, how late the end notification comes after the last frame is heard,
//   how far Position strays from the heard position, and the longest call of each command on
//   the interface thread, with each segment opened and closed as the exercise windows do;
// - sound: the SNR of a recording (a 1 kHz tone, a speech-like sound) made through SDL's disk
//   driver against what its microphone file held, of playback resampling against sox's
//   `rate -v` and against the exact sound, and the level of a tone and of its images;
// - slowed playback: the pitch of a 1 kHz tone and the length of a played segment at 75 % and
//   50 %, also with the speed changed while it plays (and the largest step between samples,
//   where a seam would click), the time from Play to the first frame heard, and the stretch's
//   cost on the audio thread per second of sound (a tone and the speech-like sound);
// - reading a 5-minute WAV compared with libsndfile reading it.
//
// A frame is heard when the device has played the frames before it: the back end's count of
// heard frames at the time a frame is handed, plus the frames between, at the file's rate.
// Run with SDL_AUDIODRIVER=dummy for the figures of the test machines, or on a desktop's own
// driver (the recording figures always use the disk driver).
#include "sound/Resampler.h"
#include "sound/SdlAudioBackend.h"
#include "sound/SoundDevice.h"
#include "sound/VirtualAudioBackend.h"
#include "sound/WavFile.h"
#include "support/SoundFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <complex>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rate = 22050;

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
        if (paceFrom_ == Clock::time_point{}) {
            paceFrom_ = now;
            paceHeard_ = heard;
        }
        paceTo_ = now;
        paceHeardTo_ = heard;
        for (int i = 0; i < frames && out; ++i) {
            if (out[i] == 0)
                continue;
            if (sound_.empty()) {
                // Heard once the device has played the frames handed before it.
                firstHeard_ = now + std::chrono::nanoseconds((handed_ + i - heard) * 1000000000 / Rate);
                firstIndex_ = handed_ + i;
            }
            sound_.push_back(out[i]);
        }
        handed_ += frames;
    }
    void outputLost(qint64 heard) override { inner_.outputLost(heard); }

    void reset()
    {
        std::lock_guard lock(mutex_);
        sound_.clear();
        firstHeard_ = {};
        paceFrom_ = {};
    }
    // The device's pace since the reset: frames heard by its clock per frame of wall-clock
    // time (1 when the driver keeps time).
    double pace()
    {
        std::lock_guard lock(mutex_);
        const double seconds = std::chrono::duration<double>(paceTo_ - paceFrom_).count();
        return seconds > 0 ? double(paceHeardTo_ - paceHeard_) / (seconds * Rate) : 1.0;
    }
    std::vector<qint16> sound()
    {
        std::lock_guard lock(mutex_);
        return sound_;
    }
    // The place of the first sound frame among all frames handed.
    qint64 firstIndex()
    {
        std::lock_guard lock(mutex_);
        return firstIndex_;
    }
    Clock::time_point firstHeard()
    {
        std::lock_guard lock(mutex_);
        return firstHeard_;
    }

private:
    PlaybackSource &inner_;
    std::mutex mutex_;
    qint64 handed_ = 0;
    qint64 firstIndex_ = 0;
    Clock::time_point paceFrom_{};
    Clock::time_point paceTo_{};
    qint64 paceHeard_ = 0;
    qint64 paceHeardTo_ = 0;
    std::vector<qint16> sound_;
    Clock::time_point firstHeard_{};
};

// The SDL back end with a tap between each device and its output.
class TappedBackend : public AudioBackend {
public:
    std::unique_ptr<AudioOutput> openOutput(int rate, int channels, PlaybackSource &source, QString &error) override
    {
        tap_.reset(); // only one output at a time here
        tap_ = std::make_unique<Tap>(source);
        auto inner = sdl_.openOutput(rate, channels, *tap_, error);
        if (!inner)
            return nullptr;
        auto output = std::make_unique<Output>(std::move(inner), current_);
        current_ = output.get();
        return output;
    }
    std::unique_ptr<AudioInput> openInput(int rate, int channels, CaptureSink &sink, QString &error) override
    {
        return sdl_.openInput(rate, channels, sink, error);
    }
    Tap &tap() { return *tap_; }
    // Frames heard by now on the open output, by the device's own clock.
    qint64 heardNow() const { return current_ ? current_->heardFrames() : 0; }

private:
    class Output : public AudioOutput {
    public:
        Output(std::unique_ptr<AudioOutput> inner, Output *&current) : inner_(std::move(inner)), current_(current) {}
        ~Output() override
        {
            if (current_ == this)
                current_ = nullptr;
        }
        qint64 heardFrames() const override { return inner_->heardFrames(); }

    private:
        std::unique_ptr<AudioOutput> inner_;
        Output *&current_;
    };

    SdlAudioBackend sdl_;
    std::unique_ptr<Tap> tap_;
    Output *current_ = nullptr;
};

struct Figures {
    std::vector<double> values;
    void add(double value) { values.push_back(value); }
    void print(const char *name, const char *unit)
    {
        if (values.empty())
            return;
        std::sort(values.begin(), values.end());
        auto at = [&](double q) { return values[std::min(values.size() - 1, size_t(q * double(values.size())))]; };
        std::printf("%-44s %8.2f %8.2f %8.2f %8.2f  %s (n=%zu)\n", name, values.front(), at(0.5), at(0.95),
                    values.back(), unit, values.size());
    }
};

// The times of each interface-thread call: median, 95th percentile and longest.
struct CallTimes {
    std::vector<std::pair<const char *, std::vector<double>>> calls;
    template <typename Call>
    void time(const char *name, Call call)
    {
        const Clock::time_point start = Clock::now();
        call();
        const double ms = msBetween(start, Clock::now());
        for (auto &entry : calls) {
            if (std::strcmp(entry.first, name) == 0) {
                entry.second.push_back(ms);
                return;
            }
        }
        calls.emplace_back(name, std::vector<double>{ms});
    }
    void print(const char *what)
    {
        double all = 0;
        std::printf("%s, calls on the interface thread (median / p95 / longest):\n", what);
        for (auto &[name, times] : calls) {
            std::sort(times.begin(), times.end());
            const double p95 = times[std::min(times.size() - 1, size_t(0.95 * double(times.size())))];
            std::printf("    %-10s %7.2f %7.2f %7.2f ms (n=%zu)\n", name, times[times.size() / 2], p95, times.back(),
                        times.size());
            all = std::max(all, times.back());
        }
        std::printf("    longest of all %.2f ms\n", all);
    }
};

// Timing of segments played as the exercise windows play them: Open, Play(from, to), and
// Close when the notification comes.
void measureTiming()
{
    TappedBackend audio;
    SoundDevice device(audio);
    device.FileName = QStringLiteral("ramp.wav");
    Clock::time_point notifiedAt{};
    qint64 heardAtNotify = 0;
    int notifications = 0;
    CallTimes calls;
    QObject::connect(&device, &SoundDevice::OnNotify, [&] {
        notifiedAt = Clock::now();
        heardAtNotify = audio.heardNow();
        ++notifications;
        calls.time("Close", [&] { device.Close(); });
    });
    const Clock::time_point firstOpen = Clock::now();
    device.Open();
    const double firstOpenMs = msBetween(firstOpen, Clock::now());
    device.Close();
    // Let the device settle into its periods before anything is timed.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    Figures firstFrame;
    Figures framesOff;
    Figures notifyDelay;
    Figures notifyDelayDevice;
    Figures positionError;
    Figures pace;
    std::mt19937 random(4);
    constexpr int Trials = 100;
    for (int trial = 0; trial < Trials; ++trial) {
        const int from = int(random() % 2500);
        const int to = from + 150 + int(random() % 600);
        const bool samplePositions = trial % 2 == 1;
        notifications = 0;

        calls.time("Open", [&] { device.Open(); });
        audio.tap().reset();
        const Clock::time_point playAt = Clock::now();
        device.PlayFrom = from;
        device.PlayTo = to;
        calls.time("Play", [&] { device.Play(); });
        while (notifications == 0) {
            if (samplePositions) {
                const Clock::time_point now = Clock::now();
                qint32 position = 0;
                calls.time("Position", [&] { position = device.Position(); });
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

        pace.add(audio.tap().pace());
        const std::vector<qint16> handed = audio.tap().sound();
        const qint64 first = framesForMs(from, Rate);
        const qint64 last = framesForMs(to, Rate);
        qint64 off = std::abs(qint64(handed.size()) - (last - first));
        for (qint64 i = 0; i < std::min<qint64>(qint64(handed.size()), last - first); ++i)
            off += handed[size_t(i)] != rampSample(first + i, 0);
        framesOff.add(double(off));

        const Clock::time_point firstHeard = audio.tap().firstHeard();
        firstFrame.add(msBetween(playAt, firstHeard));
        if (!samplePositions) {
            const Clock::time_point lastHeard =
                firstHeard + std::chrono::nanoseconds((last - first) * 1000000000 / Rate);
            notifyDelay.add(msBetween(lastHeard, notifiedAt));
            const qint64 lastIndex = audio.tap().firstIndex() + (last - first);
            notifyDelayDevice.add(1000.0 * double(heardAtNotify - lastIndex) / Rate);
        }
        // A pause of random length, so that Play falls anywhere in the device's period.
        std::this_thread::sleep_for(std::chrono::microseconds(30000 + random() % 10000));
        QCoreApplication::processEvents();
    }

    const char *driver = std::getenv("SDL_AUDIODRIVER");
    std::printf("SDL back end, driver %s; %d segments of 150 to 750 ms of a 22050 Hz file, each opened and closed\n",
                driver ? driver : "(SDL's choice)", Trials);
    std::printf("%-44s %8s %8s %8s %8s\n", "", "min", "median", "p95", "max");
    firstFrame.print("Play to first frame heard", "ms");
    framesOff.print("frames off, Play(from, to)", "frames");
    notifyDelay.print("notification after the last frame is heard", "ms");
    notifyDelayDevice.print("  the same by the device's clock", "ms");
    positionError.print("|Position - heard position| while playing", "ms");
    pace.print("device pace, heard frames / wall-clock frames", "");
    std::printf("First Open of the run (opens SDL's playback device): %.2f ms\n", firstOpenMs);
    calls.print("One-segment playback");

    // Recording as the listening window records: Open, Record(0, 500), Save and Close when
    // the notification comes.
    SoundDevice recorder(audio);
    recorder.FileName = QStringLiteral("rec.wav");
    CallTimes recordCalls;
    int recorded = 0;
    QObject::connect(&recorder, &SoundDevice::OnNotify, [&] { ++recorded; });
    for (int trial = 0; trial < 10; ++trial) {
        recorded = 0;
        recordCalls.time("Open", [&] { recorder.Open(); });
        recorder.PlayFrom = 0;
        recorder.PlayTo = 500;
        recordCalls.time("Record", [&] { recorder.Record(); });
        while (recorded == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        recordCalls.time("Save", [&] { recorder.Save(); });
        recordCalls.time("Close", [&] { recorder.Close(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    recordCalls.print("Recording 500 ms (10 times)");
}

// The saved recording of `seconds` of `signal` heard through SDL's disk driver; fills `heard`
// with what the microphone heard, as a function of seconds.
std::vector<qint16> recordThroughDisk(const std::function<double(double)> &signal, double seconds,
                                      std::function<double(double)> &heard)
{
    heard = [signal, seconds](double t) { return microphone(signal, seconds, t); };
    recordThroughDiskDriver(heard, seconds);
    return readWavContents(QStringLiteral("rec.wav")).samples;
}

// SNR of the whole, and of the worst 200 ms piece among those not near silence.
void printSnr(const char *what, const std::vector<double> &reference, const std::vector<double> &got, int rate)
{
    double energy = 0;
    for (const double r : reference)
        energy += r * r;
    const size_t piece = size_t(rate / 5);
    double worst = 1000;
    for (size_t start = 0; start + piece <= reference.size(); start += piece) {
        const std::vector<double> r(reference.begin() + qsizetype(start), reference.begin() + qsizetype(start + piece));
        const std::vector<double> g(got.begin() + qsizetype(start), got.begin() + qsizetype(start + piece));
        double e = 0;
        for (const double x : r)
            e += x * x;
        if (e / double(piece) >= 0.01 * energy / double(reference.size()))
            worst = std::min(worst, snrDb(r, g));
    }
    std::printf("%-58s %6.1f dB overall, worst 200 ms piece %6.1f dB\n", what, snrDb(reference, got), worst);
}

void measureRecording()
{
    std::function<double(double)> heard;
    const auto tone = [](double t) { return 0.5 * std::sin(2 * M_PI * 1000 * t); };
    std::vector<qint16> saved = recordThroughDisk(tone, 2.0, heard);
    printSnr("Recording, 1 kHz tone, 48 kHz device -> 22.05 kHz", alignedReference(saved, heard, Rate),
             std::vector<double>(saved.begin(), saved.end()), Rate);
    const SpeechLikeSignal speech;
    saved = recordThroughDisk([&](double t) { return speech.at(t); }, 4.0, heard);
    printSnr("Recording, speech-like, 48 kHz device -> 22.05 kHz", alignedReference(saved, heard, Rate),
             std::vector<double>(saved.begin(), saved.end()), Rate);
}

// A sound at `rate` resampled to 48000 Hz mono as the SDL mixer drives a Resampler: 10 ms
// periods. Also gives the share of a core it took.
std::vector<double> playbackResampled(const std::vector<qint16> &sound, int rate, double &coreShare)
{
    Resampler resampler(rate, 1, 48000, 1);
    std::vector<double> out;
    qint64 taken = 0;
    std::vector<qint16> chunk;
    std::vector<float> period(480);
    const qint64 periods = qint64(sound.size()) * 48000 / rate / 480;
    QElapsedTimer timer;
    timer.start();
    qint64 busy = 0;
    for (qint64 p = 0; p < periods; ++p) {
        const int needed = resampler.sourceFramesNeeded(480);
        chunk.assign(size_t(needed), 0);
        for (int i = 0; i < needed; ++i)
            if (size_t(taken + i) < sound.size())
                chunk[size_t(i)] = sound[size_t(taken + i)];
        taken += needed;
        std::fill(period.begin(), period.end(), 0.0f);
        const qint64 before = timer.nsecsElapsed();
        resampler.mixInto(period.data(), 480, chunk.data());
        busy += timer.nsecsElapsed() - before;
        for (const float v : period)
            out.push_back(32768.0 * v);
    }
    coreShare = double(busy) / (double(periods) * 10e6);
    return out;
}

void measurePlayback()
{
    constexpr int Source = 11025;
    const SpeechLikeSignal speech(5000);
    const qint64 frames = 4 * Source;
    const std::vector<qint16> sound = sampled([&](double t) { return speech.at(t); }, Source, frames);
    double coreShare = 0;
    const std::vector<double> ours = playbackResampled(sound, Source, coreShare);
    std::vector<double> exact(ours.size());
    for (size_t k = 0; k < exact.size(); ++k)
        exact[k] = 32768.0 * speech.at(double(k) / 48000);
    // The edges, where the sound starts and stops abruptly, are left out.
    const auto middle = [](const std::vector<double> &v) {
        return std::vector<double>(v.begin() + 4800, v.end() - 4800);
    };
    writeWav(QStringLiteral("speech11k.wav"), Source, 1, sound);
    QProcess sox;
    sox.start(QStringLiteral("sox"), {QStringLiteral("speech11k.wav"), QStringLiteral("-b"), QStringLiteral("32"),
                                      QStringLiteral("-e"), QStringLiteral("float"), QStringLiteral("speech48k.wav"),
                                      QStringLiteral("rate"), QStringLiteral("-v"), QStringLiteral("48000")});
    const WavContents reference = sox.waitForFinished(30000) && sox.exitCode() == 0
                                      ? readWavContents(QStringLiteral("speech48k.wav"))
                                      : WavContents{};
    if (reference.readable) {
        std::vector<double> soxed(reference.samples.begin(), reference.samples.end());
        soxed.resize(ours.size());
        printSnr("Playback, speech-like 11.025 -> 48 kHz, vs sox rate -v", middle(soxed), middle(ours), 48000);
        printSnr("sox rate -v itself, vs the exact sound", middle(exact), middle(soxed), 48000);
    } else {
        std::printf("Playback vs sox rate -v: sox is not available\n");
    }
    printSnr("Playback, speech-like 11.025 -> 48 kHz, vs the exact sound", middle(exact), middle(ours), 48000);
    std::printf("Playback resampling 11.025 -> 48 kHz: %.3f %% of a core\n", 100 * coreShare);

    // Tones at the course's rate and at 11025 Hz: their level and their worst image.
    for (const int rate : {22050, 11025}) {
        for (const double hz : {1000.0, 3000.0, 5000.0}) {
            const std::vector<qint16> tone =
                sampled([&](double t) { return 0.5 * std::sin(2 * M_PI * hz * t); }, rate, rate);
            const std::vector<double> out = playbackResampled(tone, rate, coreShare);
            const auto level = [&](double f) {
                std::complex<double> sum;
                double weights = 0;
                const size_t first = 4800;
                const size_t n = out.size() - 2 * first;
                for (size_t i = 0; i < n; ++i) {
                    const double w = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n));
                    sum += w * out[first + i] * std::polar(1.0, -2 * M_PI * f * double(first + i) / 48000);
                    weights += w;
                }
                return 20 * std::log10(2 * std::abs(sum) / weights / 16384);
            };
            double worstImage = -300;
            for (int m = 1; m * rate - hz < 24000; ++m)
                for (const double image : {m * rate - hz, m * rate + hz})
                    if (image < 24000)
                        worstImage = std::max(worstImage, level(image));
            const double toneDb = level(hz);
            std::printf("Playback tone %4.0f Hz at %5d Hz: level %+6.2f dB, worst image %6.1f dB below it\n", hz,
                        rate, toneDb, toneDb - worstImage);
        }
    }
    for (const int rate : {8000, 11025, 22050, 44100}) {
        const Resampler resampler(rate, 1, 48000, 2);
        std::printf("Look-ahead before a sound's first frame at %5d Hz: %.2f ms\n", rate,
                    1000.0 * resampler.framesAhead() / rate);
    }
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Slowed playback through the device on the virtual clock (which renders on this thread, so
// its CPU time is the audio thread's), then the first frame on SDL's own thread.
void measureSlowPlayback()
{
    const std::vector<qint16> tone = sampled([](double t) { return 0.4 * std::sin(2 * M_PI * 1000 * t); }, Rate, 10 * Rate);
    writeWav(QStringLiteral("tone.wav"), Rate, 1, tone);
    const SpeechLikeSignal speech;
    writeWav(QStringLiteral("speech.wav"), Rate, 1, sampled([&](double t) { return speech.at(t); }, Rate, 10 * Rate));
    std::printf("Slowed playback, 22050 Hz mono, a 9 s segment (1000-10000 ms); \"a→b\": speed a, then b\n"
                "from 4.5 s after Play on (changed while playing):\n");
    // The tone's own largest step between samples: a seam that clicks shows as a larger one.
    const double toneStep = 0.4 * 32768 * 2 * std::sin(M_PI * 1000 / Rate);
    constexpr int ChangeMs = 4500;
    for (const char *file : {"tone.wav", "speech.wav"}) {
        for (const auto &[first, then] : {std::pair{100, 100}, {75, 75}, {50, 50}, {100, 50}, {50, 75}, {50, 100}}) {
            VirtualAudioBackend card;
            SoundDevice device(card);
            int notified = 0;
            QObject::connect(&device, &SoundDevice::OnNotify, [&] { ++notified; });
            device.FileName = QString::fromLatin1(file);
            device.Open();
            device.setSpeedPercent(first);
            device.PlayFrom = 1000;
            device.PlayTo = 10000;
            const double cpuBefore = threadCpuSeconds();
            device.Play();
            int ms = 0;
            while (notified == 0 && ms < 30000) {
                card.advance(10);
                ms += 10;
                if (ms == ChangeMs)
                    device.setSpeedPercent(then);
            }
            const double cpu = threadCpuSeconds() - cpuBefore;
            const std::vector<qint16> sound = soundHanded(card.outputs().back().samples);
            const double expected = first == then ? 9000.0 * 100 / first
                                                  : ChangeMs + (9000.0 - ChangeMs * first / 100.0) * 100 / then;
            const QByteArray speeds = first == then ? QByteArray::number(first) : QByteArray::number(first) + "→" + QByteArray::number(then);
            std::printf("    %-10s %7s %%: ended after %6d ms (expected %.0f, error %+.2f %%), sound %.0f ms", file,
                        speeds.constData(), ms, expected, 100 * (ms - expected) / expected, 1000.0 * double(sound.size()) / Rate);
            if (std::strcmp(file, "tone.wav") == 0) {
                const double hz = toneFrequency(std::vector<float>(sound.begin(), sound.end()), 1, Rate);
                std::printf(", tone %.3f Hz (%+.3f %%), largest step %.2f × the tone's", hz, (hz - 1000) / 10,
                            largestStep(sound) / toneStep);
            }
            std::printf(", %.2f ms CPU per second of sound\n", 1000 * cpu / (ms / 1000.0));
        }
    }

    // From Play to the first frame heard, on SDL's thread, at full and at half speed.
    TappedBackend audio;
    SoundDevice device(audio);
    device.FileName = QStringLiteral("speech.wav");
    device.Open();
    int notified = 0;
    QObject::connect(&device, &SoundDevice::OnNotify, [&] { ++notified; });
    std::mt19937 random(7);
    for (const int percent : {100, 50}) {
        device.setSpeedPercent(percent);
        Figures firstFrame;
        for (int trial = 0; trial < 40; ++trial) {
            std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 10000));
            audio.tap().reset();
            const Clock::time_point playAt = Clock::now();
            device.PlayFrom = 1000 + int(random() % 5000);
            device.PlayTo = *device.PlayFrom + 200;
            device.Play();
            const int before = notified;
            while (notified == before)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            firstFrame.add(msBetween(playAt, audio.tap().firstHeard()));
        }
        const QByteArray name = QStringLiteral("Play to the first frame heard at %1 %").arg(percent).toLatin1();
        firstFrame.print(name.constData(), "ms");
    }
    device.Close();
}

// Reading a 5-minute 22050 Hz mono WAV, against libsndfile reading it into memory.
void measureWavReading()
{
    SoundData sound;
    sound.format = {Rate, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16};
    sound.samples.resize(size_t(300 * Rate));
    for (size_t i = 0; i < sound.samples.size(); ++i)
        sound.samples[i] = qint16((i * 7919) % 50000 - 25000);
    QFile file(QStringLiteral("long.wav"));
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeWav(sound)) < 0)
        return;
    file.close();
    Figures ours;
    Figures libsndfile;
    // Taken in turns, so that both meet the same load; the minimum is the figure of a quiet
    // machine.
    for (int i = 0; i < 51; ++i) {
        Clock::time_point start = Clock::now();
        const SoundData read = readWavFile(QStringLiteral("long.wav"));
        ours.add(msBetween(start, Clock::now()));
        start = Clock::now();
        SF_INFO info{};
        SNDFILE *handle = sf_open("long.wav", SFM_READ, &info);
        std::vector<qint16> samples(size_t(info.frames * info.channels));
        sf_readf_short(handle, samples.data(), info.frames);
        sf_close(handle);
        libsndfile.add(msBetween(start, Clock::now()));
        if (read.samples != samples)
            std::printf("readWavFile differs from libsndfile!\n");
    }
    std::printf("%-44s %8s %8s %8s %8s\n", "", "min", "median", "p95", "max");
    ours.print("readWavFile, 5-minute 22050 Hz mono WAV", "ms");
    libsndfile.print("libsndfile sf_readf_short, same file", "ms");
    std::printf("readWavFile / libsndfile: minimum %.2f, median %.2f\n",
                ours.values.front() / libsndfile.values.front(),
                ours.values[ours.values.size() / 2] / libsndfile.values[libsndfile.values.size() / 2]);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    writeRampWav(QStringLiteral("ramp.wav"), Rate, 1, 4 * Rate);
    writeWav(QStringLiteral("rec.wav"), Rate, 1, {});

    // "slow" runs the slowed-playback figures alone.
    if (argc > 1 && std::strcmp(argv[1], "slow") == 0) {
        measureSlowPlayback();
        return 0;
    }
    measureTiming();
    measureRecording();
    measurePlayback();
    measureSlowPlayback();
    measureWavReading();
    return 0;
}

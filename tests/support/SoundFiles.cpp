#include "support/SoundFiles.h"

#include "sound/SdlAudioBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>

std::vector<qint16> rampFrames(qint64 first, qint64 last, int channels)
{
    std::vector<qint16> samples;
    for (qint64 f = first; f < last; ++f)
        for (int c = 0; c < channels; ++c)
            samples.push_back(rampSample(f, c));
    return samples;
}

void writeRampWav(const QString &path, int rate, int channels, qint64 frames, int format)
{
    writeWav(path, rate, channels, rampFrames(0, frames, channels), format);
}

void writeWav(const QString &path, int rate, int channels, const std::vector<qint16> &samples, int format)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(sf_strerror(nullptr));
    // Float files hold [-1, 1], as every float WAV does.
    sf_command(file, SFC_SET_SCALE_INT_FLOAT_WRITE, nullptr, SF_TRUE);
    sf_writef_short(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
}

WavContents readWavContents(const QString &path)
{
    WavContents contents;
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return contents;
    contents.readable = true;
    contents.rate = info.samplerate;
    contents.channels = info.channels;
    contents.format = info.format;
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE) {
        // Floats of [-1, 1] in 16-bit steps, the scale libsndfile gives 16-bit samples.
        std::vector<float> floats(size_t(info.frames * info.channels));
        const sf_count_t got = sf_readf_float(file, floats.data(), info.frames);
        for (sf_count_t i = 0; i < got * info.channels; ++i)
            contents.samples.push_back(qint16(std::lrint(floats[size_t(i)] * 32768.0f)));
    } else {
        contents.samples.resize(size_t(info.frames * info.channels));
        const sf_count_t got = sf_readf_short(file, contents.samples.data(), info.frames);
        contents.samples.resize(size_t(got * info.channels));
    }
    sf_close(file);
    return contents;
}

std::vector<qint16> soundHanded(const std::vector<qint16> &log)
{
    const auto first = std::find_if(log.begin(), log.end(), [](qint16 s) { return s != 0; });
    const auto last = std::find_if(log.rbegin(), log.rend(), [](qint16 s) { return s != 0; }).base();
    if (first >= last)
        return {};
    return {first, last};
}

EnvironmentOverride::EnvironmentOverride(const char *name, const QByteArray &value)
    : name_(name), previous_(qgetenv(name))
{
    qputenv(name, value);
}

EnvironmentOverride::~EnvironmentOverride()
{
    if (previous_.isNull())
        qunsetenv(name_);
    else
        qputenv(name_, previous_);
}

double microphone(const std::function<double(double)> &signal, double seconds, double t)
{
    constexpr double Fade = 0.02;
    const double s = t - MicrophoneLead;
    if (s <= 0 || s >= seconds)
        return 0;
    const double edge = std::min(s, seconds - s);
    const double fade = edge >= Fade ? 1.0 : 0.5 - 0.5 * std::cos(M_PI * edge / Fade);
    return fade * signal(s);
}

void recordThroughDiskDriver(const std::function<double(double)> &heard, double seconds,
                             const std::function<void(SoundDevice &)> &looking)
{
    constexpr int DeviceRate = 48000;
    const std::vector<qint16> input = sampled(heard, DeviceRate, qint64((MicrophoneLead + seconds + 0.2) * DeviceRate));
    QFile mic(QStringLiteral("mic.raw"));
    if (!mic.open(QIODevice::WriteOnly) ||
        mic.write(reinterpret_cast<const char *>(input.data()), qint64(input.size() * 2)) < 0)
        return;
    mic.close();
    writeWav(QStringLiteral("rec.wav"), 22050, 1, {});
    const EnvironmentOverride driver("SDL_AUDIODRIVER", "disk");
    const EnvironmentOverride in("SDL_DISKAUDIOFILEIN", QFile::encodeName(QDir::current().filePath("mic.raw")));
    const EnvironmentOverride out("SDL_DISKAUDIOFILE", QFile::encodeName(QDir::current().filePath("speaker.raw")));
    const EnvironmentOverride pace("SDL_DISKAUDIODELAY", "2");
    SdlAudioBackend sdl;
    SoundDevice recorder(sdl);
    NotifyCounter notified(recorder);
    recorder.FileName = QStringLiteral("rec.wav");
    recorder.Open();
    recorder.PlayFrom = 0;
    recorder.PlayTo = int(seconds * 1000);
    recorder.Record();
    QElapsedTimer waited;
    waited.start();
    while (notified.count == 0 && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (looking && notified.count == 0)
            looking(recorder);
    }
    if (notified.count > 0)
        recorder.Save();
    recorder.Close();
}

double toneFrequency(const std::vector<float> &samples, int channels, int rate)
{
    const size_t step = size_t(std::max(channels, 1));
    std::vector<double> periods;
    double previous = -1;
    for (size_t i = step; i < samples.size(); i += step) {
        const float before = samples[i - step];
        const float now = samples[i];
        if (before < 0 && now >= 0) {
            const double at = double(i / step) - 1 + double(before / (before - now));
            if (previous >= 0)
                periods.push_back(at - previous);
            previous = at;
        }
    }
    if (periods.empty())
        return 0;
    std::nth_element(periods.begin(), periods.begin() + long(periods.size() / 2), periods.end());
    return rate / periods[periods.size() / 2];
}

int largestStep(const std::vector<qint16> &samples)
{
    int step = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        step = std::max(step, std::abs(samples[i] - samples[i - 1]));
    return step;
}

NotifyCounter::NotifyCounter(SoundDevice &device)
{
    connect(&device, &SoundDevice::OnNotify, this, [this] { ++count; });
}

namespace {

// A resonance of a formant at `centre` Hz, `width` Hz wide.
double resonance(double hz, double centre, double width)
{
    const double x = (hz - centre) / width;
    return 1.0 / (1.0 + x * x);
}

double raisedCosine(double cycles)
{
    return 0.5 - 0.5 * std::cos(2 * M_PI * cycles);
}

} // namespace

SpeechLikeSignal::SpeechLikeSignal(double topHz) : harmonics_(std::max(1, int(topHz / 220)))
{
    // The hiss: 40 sines spread over its band, their frequencies and phases from a fixed
    // sequence, so every run hears the same sound.
    quint32 seed = 12345;
    const auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return double(seed >> 8) / double(1u << 24);
    };
    const double hissTop = std::min(7000.0, topHz);
    for (int i = 0; i < 40 && hissTop > 3000; ++i) {
        hissHz_.push_back(3000 + (hissTop - 3000) * next());
        hissPhase_.push_back(2 * M_PI * next());
    }
    double peak = 0;
    for (int i = 0; i < 16000; ++i)
        peak = std::max(peak, std::abs(raw(i / 8000.0)));
    scale_ = 0.6 / peak;
}

double SpeechLikeSignal::at(double seconds) const
{
    return scale_ * raw(seconds);
}

double SpeechLikeSignal::raw(double t) const
{
    // Pitch 150 + 50 sin(2 pi 0.7 t) + 20 sin(2 pi 2.3 t + 1) Hz, and its phase, the integral.
    const double pitch = 150 + 50 * std::sin(2 * M_PI * 0.7 * t) + 20 * std::sin(2 * M_PI * 2.3 * t + 1);
    const double phase = 2 * M_PI * (150 * t) - 50 / 0.7 * std::cos(2 * M_PI * 0.7 * t) -
                         20 / 2.3 * std::cos(2 * M_PI * 2.3 * t + 1);
    const double f1 = 500 + 200 * std::sin(2 * M_PI * 1.1 * t);
    const double f2 = 1500 + 500 * std::sin(2 * M_PI * 0.8 * t + 2);
    const double f3 = 2600 + 300 * std::sin(2 * M_PI * 0.5 * t);
    double voice = 0;
    for (int k = 1; k <= harmonics_; ++k) {
        const double hz = k * pitch;
        const double gain = (resonance(hz, f1, 80) + 0.6 * resonance(hz, f2, 120) + 0.3 * resonance(hz, f3, 200)) / k;
        voice += gain * std::sin(k * phase);
    }
    double hiss = 0;
    for (size_t i = 0; i < hissHz_.size(); ++i)
        hiss += std::sin(2 * M_PI * hissHz_[i] * t + hissPhase_[i]);
    // Syllables 3.7 a second, phrases of two seconds with a pause; the hiss between syllables.
    const double syllable = std::pow(raisedCosine(3.7 * t), 2);
    const double phrase = raisedCosine(0.5 * t + 0.25);
    const double gap = std::pow(1 - raisedCosine(3.7 * t), 4);
    return phrase * (syllable * voice + 0.02 * gap * hiss);
}

double snrDb(const std::vector<double> &reference, const std::vector<double> &heard)
{
    double signal = 0;
    double noise = 0;
    for (size_t i = 0; i < std::min(reference.size(), heard.size()); ++i) {
        signal += reference[i] * reference[i];
        noise += (heard[i] - reference[i]) * (heard[i] - reference[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1e-30));
}

std::vector<double> alignedReference(const std::vector<qint16> &recorded, const std::function<double(double)> &heard,
                                     int rate, double searchSeconds)
{
    const int halfRate = 2 * rate;
    const int starts = std::max(1, int(searchSeconds * halfRate));
    std::vector<double> reference(size_t(starts + 2 * recorded.size() + 1));
    for (size_t m = 0; m < reference.size(); ++m)
        reference[m] = 32768.0 * heard(double(m) / halfRate);
    const auto error = [&](int start, size_t step) {
        double sum = 0;
        for (size_t n = 0; n < recorded.size(); n += step) {
            const double d = recorded[n] - reference[size_t(start) + 2 * n];
            sum += d * d;
        }
        return sum;
    };
    // Every 16th frame finds the start, all frames settle it among its neighbours.
    int best = 0;
    for (int start = 1; start < starts; ++start)
        if (error(start, 16) < error(best, 16))
            best = start;
    const int from = std::max(0, best - 2);
    const int to = std::min(starts - 1, best + 2);
    for (int start = from; start <= to; ++start)
        if (error(start, 1) < error(best, 1))
            best = start;
    std::vector<double> aligned(recorded.size());
    for (size_t n = 0; n < aligned.size(); ++n)
        aligned[n] = reference[size_t(best) + 2 * n];
    return aligned;
}

std::vector<float> readDiskDriverOutput(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(size_t(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}

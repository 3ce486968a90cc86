#include "support/SoundFiles.h"

#include <QFile>

#include <algorithm>
#include <cmath>

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

NotifyCounter::NotifyCounter(SoundDevice &device)
{
    connect(&device, &SoundDevice::OnNotify, this, [this] { ++count; });
}

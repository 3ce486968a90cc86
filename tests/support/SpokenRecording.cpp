#include "SpokenRecording.h"

#include "SoundFiles.h"

#include <cmath>

SpokenRecording &SpokenRecording::pause(int ms)
{
    samples_.insert(samples_.end(), size_t(qint64(ms) * Rate / 1000), 0);
    return *this;
}

SpokenRecording &SpokenRecording::say(int ms, double dropDb)
{
    const qint64 first = qint64(samples_.size());
    const qint64 count = qint64(ms) * Rate / 1000;
    const double gain = 0.25 * std::pow(10.0, -dropDb / 20);
    for (qint64 i = 0; i < count; ++i) {
        const double t = double(first + i) / Rate;
        // Syllables four a second, between a third of the loudness and all of it.
        const double syllable = 0.65 + 0.35 * std::cos(2 * M_PI * 4 * t);
        double voice = 0;
        for (int k = 1; k <= 8; ++k)
            voice += std::sin(2 * M_PI * 140 * k * t) / k;
        samples_.push_back(qint16(std::lrint(32767 * gain * syllable * voice / 2)));
    }
    phrases_.push_back({qint32(first * 1000 / Rate), qint32((first + count) * 1000 / Rate)});
    return *this;
}

SoundData SpokenRecording::sound() const
{
    SoundData data;
    data.format.rate = Rate;
    data.format.channels = 1;
    data.samples = samples_;
    return data;
}

void SpokenRecording::save(const QString &path) const
{
    writeWav(path, Rate, 1, samples_);
}

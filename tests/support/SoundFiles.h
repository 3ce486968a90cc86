#pragma once

#include "sound/SoundDevice.h"
#include "sound/WavFile.h"

#include <QList>
#include <QObject>
#include <QString>

#include <sndfile.h>

#include <vector>

// Sample `frame` of `channel` in the test sounds: never 0, so that every frame handed to a
// device can be told from the silence around it, and by its number.
inline qint16 rampSample(qint64 frame, int channel)
{
    const auto value = qint16(1 + frame % 30000);
    return channel == 0 ? value : qint16(-value);
}

// The ramp's frames [first, last), interleaved.
std::vector<qint16> rampFrames(qint64 first, qint64 last, int channels);

// Writes a WAV through libsndfile itself: `frames` frames of the ramp, or the given samples.
void writeRampWav(const QString &path, int rate, int channels, qint64 frames,
                  int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16);
void writeWav(const QString &path, int rate, int channels, const std::vector<qint16> &samples,
              int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16);

// A WAV as libsndfile reads it; `readable` false when it cannot.
struct WavContents {
    bool readable = false;
    int rate = 0;
    int channels = 0;
    int format = 0;
    std::vector<qint16> samples;
    qint64 frames() const { return channels ? qint64(samples.size()) / channels : 0; }
};
WavContents readWavContents(const QString &path);

// The sound handed to a virtual output with the silence before and after it cut off.
std::vector<qint16> soundHanded(const std::vector<qint16> &log);

// Counts a device's notifications.
class NotifyCounter : public QObject {
public:
    explicit NotifyCounter(SoundDevice &device);
    int count = 0;
};

#pragma once

#include "sound/SoundDevice.h"
#include "sound/WavFile.h"

#include <QList>
#include <QObject>
#include <QString>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <functional>
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

// A speech-like sound as a function of time: a voice whose pitch glides between 80 and 220 Hz,
// its harmonics shaped by three moving formants, in syllables about four a second with pauses
// between phrases, and a hiss of fricatives (3 to 7 kHz) between the syllables. It is a sum of
// sines, so it can be sampled exactly at any rate and moment; nothing in it lies above
// `topHz`. Peaks reach about 0.6 of full scale.
class SpeechLikeSignal {
public:
    explicit SpeechLikeSignal(double topHz = 7500);
    double at(double seconds) const;

private:
    double raw(double seconds) const;

    int harmonics_;
    std::vector<double> hissHz_;
    std::vector<double> hissPhase_;
    double scale_ = 1.0;
};

// `count` 16-bit samples of `signal` (a function of seconds, in [-1, 1]) at `rate`, the
// first at `start` seconds.
template <typename Signal>
std::vector<qint16> sampled(const Signal &signal, int rate, qint64 count, double start = 0)
{
    std::vector<qint16> samples(size_t(std::max<qint64>(count, 0)));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qint16(std::lrint(std::clamp(32768.0 * signal(start + double(i) / rate), -32768.0, 32767.0)));
    return samples;
}

// Signal-to-noise ratio in dB of `heard` against `reference`, sample by sample over the
// length of the shorter (noise: their difference).
double snrDb(const std::vector<double> &reference, const std::vector<double> &heard);

// A recording made at `rate` of a microphone that heard `heard` (a function of seconds since
// the capture device opened) starts at a period of the device and at a frame of the
// recording, so at a multiple of half a recording frame. Returns the microphone's sound at
// the recording's frames from the start within the first `searchSeconds` that matches best,
// in 16-bit steps.
std::vector<double> alignedReference(const std::vector<qint16> &recorded, const std::function<double(double)> &heard,
                                     int rate, double searchSeconds = 0.5);

// Sets an environment variable for its lifetime.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char *name, const QByteArray &value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride &) = delete;
    EnvironmentOverride &operator=(const EnvironmentOverride &) = delete;

private:
    const char *name_;
    QByteArray previous_;
};

// What a microphone hears `t` seconds after its device opened: MicrophoneLead seconds of
// silence, then `signal` for `seconds`, faded in and out over 20 ms so that it has no edges.
inline constexpr double MicrophoneLead = 0.2;
double microphone(const std::function<double(double)> &signal, double seconds, double t);

// Records `seconds` through SDL's disk driver into an empty 22050 Hz mono "rec.wav" in the
// working directory, the driver's microphone file holding `heard` at 48 kHz (0.2 s longer
// than the recording's lead and length). The driver's periods come every 2 ms instead of
// 10: five times real time. The device is saved once it has notified the end, or after
// 10 s without it (then "rec.wav" stays the empty template). `looking`, when given, is called
// with the device at every turn of the event loop while it records.
void recordThroughDiskDriver(const std::function<double(double)> &heard, double seconds,
                             const std::function<void(SoundDevice &)> &looking = {});

// What SDL's disk driver played into the file `path`: interleaved stereo floats at 48 kHz;
// empty when the file cannot be read.
std::vector<float> readDiskDriverOutput(const QString &path);

// A tone's frequency in Hz from the median time between its rising zero crossings in the first
// of `channels` interleaved channels, which the few periods disturbed by a splice of a time
// stretch do not move; 0 without two periods.
double toneFrequency(const std::vector<float> &samples, int channels, int rate);

// The largest step between two neighbouring samples: a seam that clicks shows as one larger
// than the sound's own (a tone's is its amplitude × 2 sin(π × its frequency ÷ the rate)).
int largestStep(const std::vector<qint16> &samples);

// Counts a device's notifications.
class NotifyCounter : public QObject {
public:
    explicit NotifyCounter(SoundDevice &device);
    int count = 0;
};

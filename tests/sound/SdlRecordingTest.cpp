// Recording through the SDL back end from a known microphone: SDL's disk driver reads what the
// capture device hears from a file (raw 16-bit mono at the device's 48000 Hz), and the saved
// 22050 Hz recording is compared with that sound sampled exactly at its own frames' times.
#include "support/SoundFiles.h"
#include "sound/SdlAudioBackend.h"
#include "support/TempCourse.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr int DeviceRate = 48000;
constexpr int Rate = 22050;
constexpr double Lead = 0.2; // seconds of silence before the sound in the microphone's file
constexpr double Fade = 0.02; // the sound fades in and out, so that it has no edges

// Sets an environment variable for its lifetime.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char *name, const QByteArray &value) : name_(name), previous_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentOverride()
    {
        if (previous_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, previous_);
    }

private:
    const char *name_;
    QByteArray previous_;
};

using Signal = std::function<double(double)>;

// What the microphone hears at `t`: silence, then `signal` faded in and out over `seconds`.
double microphone(const Signal &signal, double seconds, double t)
{
    const double s = t - Lead;
    if (s <= 0 || s >= seconds)
        return 0;
    const double edge = std::min(s, seconds - s);
    const double fade = edge >= Fade ? 1.0 : 0.5 - 0.5 * std::cos(M_PI * edge / Fade);
    return fade * signal(s);
}

struct Recorded {
    const char *name;
    Signal signal;
    double minimumSnrDb;
};

void PrintTo(const Recorded &recorded, std::ostream *out)
{
    *out << recorded.name;
}

class SdlRecording : public ::testing::TestWithParam<Recorded> {
protected:
    TempCourse course;
};

TEST_P(SdlRecording, SavesWhatTheMicrophoneHeardCleanly)
{
    // GIVEN a microphone that hears one second of the sound, and an empty 22050 Hz template
    const Recorded sound = GetParam();
    constexpr double Seconds = 1.0;
    const Signal heard = [&](double t) { return microphone(sound.signal, Seconds, t); };
    const std::vector<qint16> input = sampled(heard, DeviceRate, qint64((Lead + Seconds + 0.2) * DeviceRate));
    course.writeBytes(QStringLiteral("mic.raw"),
                      QByteArray(reinterpret_cast<const char *>(input.data()), qsizetype(input.size() * 2)));
    writeWav(course.absolute("rec.wav"), Rate, 1, {});
    // (the disk driver's periods come every 2 ms instead of 10: five times real time)
    const EnvironmentOverride driver("SDL_AUDIODRIVER", "disk");
    const EnvironmentOverride in("SDL_DISKAUDIOFILEIN", QFile::encodeName(course.absolute("mic.raw")));
    const EnvironmentOverride out("SDL_DISKAUDIOFILE", QFile::encodeName(course.absolute("speaker.raw")));
    const EnvironmentOverride pace("SDL_DISKAUDIODELAY", "2");
    SdlAudioBackend sdl;
    SoundDevice recorder(sdl);
    NotifyCounter notified(recorder);
    recorder.FileName = QStringLiteral("rec.wav");
    recorder.Open();

    // WHEN the device records a second and saves it
    recorder.PlayFrom = 0;
    recorder.PlayTo = 1000;
    recorder.Record();
    ASSERT_TRUE(QTest::qWaitFor([&] { return notified.count >= 1; }, 10000));
    recorder.Save();
    recorder.Close();

    // THEN the recording is the microphone's sound, with nothing lost or added at the seams
    // of the device's periods
    const WavContents saved = readWavContents(course.absolute("rec.wav"));
    ASSERT_EQ(saved.frames(), Rate);
    const std::vector<double> got(saved.samples.begin(), saved.samples.end());
    EXPECT_GE(snrDb(alignedReference(saved.samples, heard, Rate), got), sound.minimumSnrDb);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, SdlRecording,
    ::testing::Values(Recorded{"Tone1kHz", [](double t) { return 0.5 * std::sin(2 * M_PI * 1000 * t); }, 80.0},
                      Recorded{"Speech",
                               [speech = std::make_shared<SpeechLikeSignal>()](double t) { return speech->at(t); },
                               50.0}),
    [](const ::testing::TestParamInfo<Recorded> &info) { return std::string(info.param.name); });

} // namespace

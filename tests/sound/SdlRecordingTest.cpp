// Recording through the SDL back end from a known microphone: SDL's disk driver reads what the
// capture device hears from a file (raw 16-bit mono at the device's 48000 Hz), and the saved
// 22050 Hz recording is compared with that sound sampled exactly at its own frames' times.
#include "support/SoundFiles.h"
#include "support/TempCourse.h"


#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr int Rate = 22050;

using Signal = std::function<double(double)>;

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

    // WHEN the device records a second through SDL's disk driver and saves it
    recordThroughDiskDriver(heard, Seconds);

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

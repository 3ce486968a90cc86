#include "listening/MicrophoneMeter.h"

#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// GIVEN a recording that starts at 2000 ms of its device's time.
TEST(MicrophoneMeterTest, TheLevelFollowsThePeakAndClipsShowForASecond)
{
    MicrophoneMeter meter;
    meter.start(2000);
    meter.update(0, 2050);
    EXPECT_EQ(meter.levelDb(), MicrophoneMeter::MeterFloorDb);
    meter.update(3, 2100); // -81 dBFS: below the meter
    EXPECT_EQ(meter.levelDb(), MicrophoneMeter::MeterFloorDb);
    meter.update(16384, 2150);
    EXPECT_EQ(meter.levelDb(), -6);
    EXPECT_FALSE(meter.clipping());

    meter.update(32768, 2200);
    EXPECT_EQ(meter.levelDb(), 0);
    EXPECT_TRUE(meter.clipping());
    meter.update(1000, 3150);
    EXPECT_TRUE(meter.clipping()) << "held a second";
    meter.update(1000, 3200);
    EXPECT_FALSE(meter.clipping());
}

TEST(MicrophoneMeterTest, NothingAboveMinus50DbInTheFirstFiveSecondsIsUnheardUntilSomethingIs)
{
    MicrophoneMeter meter;
    meter.start(2000);
    meter.update(100, 6950); // -50.3 dBFS
    EXPECT_FALSE(meter.unheard()) << "not yet five seconds";
    meter.update(100, 7000);
    EXPECT_TRUE(meter.unheard());
    meter.update(120, 7050); // -48.7 dBFS
    EXPECT_FALSE(meter.unheard());
    meter.update(0, 9000);
    EXPECT_FALSE(meter.unheard()) << "the microphone was heard";

    meter.start(9000);
    meter.update(0, 14000);
    EXPECT_TRUE(meter.unheard()) << "a new recording looks again";
}

// Through SDL's disk driver: the microphone hears 1.2 s of silence, then a second of speech.
// The meter, fed with the device's peaks as the window feeds it, stays at its floor in the
// silence and rises to the speech's level (its peaks reach about -4 dBFS).
TEST(MicrophoneMeterTest, ThroughTheSdlDriverTheLevelRisesWithSpeechAndStaysLowOnSilence)
{
    TempCourse course;
    const SpeechLikeSignal speech;
    constexpr double SpeechFrom = 1.2;
    constexpr double Seconds = 2.2;
    const auto heard = [&](double t) {
        return t >= SpeechFrom && t < Seconds ? speech.at(t - SpeechFrom) : 0.0;
    };
    MicrophoneMeter meter;
    meter.start(0);
    qint32 lookedAt = 0;
    int loudestInSilence = MicrophoneMeter::MeterFloorDb;
    int loudestInSpeech = MicrophoneMeter::MeterFloorDb;
    int looksInSpeech = 0;
    recordThroughDiskDriver(heard, Seconds, [&](SoundDevice &recorder) {
        const qint32 now = recorder.Position();
        meter.update(recorder.takeRecordedPeak(), now);
        // Each look covers what was recorded since the one before; the edges are left out.
        if (now <= SpeechFrom * 1000 - 100)
            loudestInSilence = std::max(loudestInSilence, meter.levelDb());
        else if (lookedAt >= SpeechFrom * 1000 + 100 && now <= Seconds * 1000 - 100 && now > lookedAt) {
            loudestInSpeech = std::max(loudestInSpeech, meter.levelDb());
            ++looksInSpeech;
        }
        lookedAt = now;
    });
    ASSERT_EQ(readWavContents(course.absolute("rec.wav")).frames(), qint64(Seconds * 22050)) << "recorded whole";
    EXPECT_EQ(loudestInSilence, MicrophoneMeter::MeterFloorDb);
    ASSERT_GT(looksInSpeech, 0);
    EXPECT_GE(loudestInSpeech, -8);
    EXPECT_FALSE(meter.unheard());
}

} // namespace

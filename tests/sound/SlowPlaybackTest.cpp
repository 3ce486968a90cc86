// Slowed playback: positions and ends in the sound's own time, and what comes out through
// SDL's disk driver keeps its pitch.
#include "sound/SdlAudioBackend.h"
#include "sound/VirtualAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Rate = 8000;

// GIVEN a one-second ramp at 8000 Hz on a virtual card, the device set to half speed.
class SlowPlaybackTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device{card};
    NotifyCounter notified{device};

    void SetUp() override
    {
        writeRampWav(course.absolute("tone.wav"), Rate, 1, Rate);
        device.FileName = QStringLiteral("tone.wav");
        device.Open();
        device.setSpeedPercent(50);
    }
};

TEST_F(SlowPlaybackTest, ASegmentLastsTwiceAsLongAndItsPositionsStayInTheSoundsTime)
{
    device.PlayFrom = 200;
    device.PlayTo = 600;
    device.Play();

    card.advance(400);
    EXPECT_EQ(device.Position(), 400);
    card.advance(399);
    EXPECT_EQ(notified.count, 0);
    EXPECT_EQ(device.Mode(), SoundMode::Playing);
    card.advance(1);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Position(), 600);
    // What was handed is the segment's sound, stretched to its new length.
    const std::vector<qint16> sound = soundHanded(card.outputs().back().samples);
    EXPECT_NEAR(double(sound.size()), 2 * 400 * Rate / 1000.0, 0.01 * 2 * 400 * Rate / 1000.0);
}

TEST_F(SlowPlaybackTest, PauseAndPlayGoOnFromTheSoundsOwnPosition)
{
    device.Play();
    card.advance(300);
    device.Pause();
    EXPECT_EQ(device.Position(), 150);

    device.Play();
    card.advance(1699);
    EXPECT_EQ(notified.count, 1) << "the paused command, ended as it was replaced";
    card.advance(1);
    EXPECT_EQ(notified.count, 2);
    EXPECT_EQ(device.Position(), 1000);
}

TEST_F(SlowPlaybackTest, ANewSpeedAppliesFromTheNextPlayAndFullSpeedIsTheSoundItself)
{
    device.PlayTo = 100;
    device.Play();
    device.setSpeedPercent(100);
    card.advance(199);
    EXPECT_EQ(notified.count, 0);
    card.advance(1);
    EXPECT_EQ(notified.count, 1);

    device.PlayFrom = 0;
    device.PlayTo = 100;
    device.Play();
    card.advance(100);
    EXPECT_EQ(notified.count, 2);
    const std::vector<qint16> handed = card.outputs().back().samples;
    const std::vector<qint16> ramp = rampFrames(0, 100 * Rate / 1000, 1);
    EXPECT_TRUE(std::search(handed.begin(), handed.end(), ramp.begin(), ramp.end()) != handed.end());
}

TEST_F(SlowPlaybackTest, SpeedsOutsideTheRangeAreHeldToIt)
{
    device.setSpeedPercent(20);
    EXPECT_EQ(device.speedPercent(), 50);
    device.setSpeedPercent(130);
    EXPECT_EQ(device.speedPercent(), 100);
}

TEST_F(SlowPlaybackTest, ARecordingMeanwhileStaysInRealTime)
{
    writeWav(course.absolute("rec.wav"), Rate, 1, {});
    SoundDevice recorder(card);
    NotifyCounter recorded(recorder);
    recorder.FileName = QStringLiteral("rec.wav");
    recorder.Open();
    recorder.setSpeedPercent(50);

    device.Play();
    recorder.PlayFrom = 0;
    recorder.PlayTo = 500;
    recorder.Record();
    card.advance(500);
    EXPECT_EQ(recorded.count, 1);
    EXPECT_EQ(recorder.Position(), 500);
    EXPECT_EQ(device.Position(), 250);
}

// A 1 kHz tone played at half speed through SDL's disk driver (48 kHz stereo floats) comes out
// at 1 kHz and twice as long.
TEST(SlowPlaybackThroughSdl, AToneAtHalfSpeedKeepsItsPitchAndTakesTwiceAsLong)
{
    TempCourse course;
    constexpr int SoundRate = 22050;
    std::vector<qint16> tone(3 * SoundRate);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = qint16(std::lround(12000 * std::sin(2 * M_PI * 1000.0 * double(i) / SoundRate)));
    writeWav(course.absolute("tone.wav"), SoundRate, 1, tone);
    const QString speakerFile = QDir::current().filePath("speaker.raw");
    {
        const EnvironmentOverride driver("SDL_AUDIODRIVER", "disk");
        const EnvironmentOverride out("SDL_DISKAUDIOFILE", QFile::encodeName(speakerFile));
        const EnvironmentOverride pace("SDL_DISKAUDIODELAY", "2");
        SdlAudioBackend sdl;
        SoundDevice player(sdl);
        NotifyCounter notified(player);
        player.FileName = QStringLiteral("tone.wav");
        player.Open();
        player.setSpeedPercent(50);
        player.PlayFrom = 200;
        player.PlayTo = 2200;
        player.Play();
        ASSERT_TRUE(QTest::qWaitFor([&] { return notified.count >= 1; }, 10000));
        EXPECT_EQ(player.Position(), 2200);
        player.Close();
    }
    const std::vector<float> heard = readDiskDriverOutput(speakerFile);
    ASSERT_FALSE(heard.empty());
    // The sound is what lies between the first and the last frame above the silence.
    constexpr int DeviceRate = 48000;
    size_t first = heard.size(), last = 0;
    for (size_t i = 0; i < heard.size(); ++i) {
        if (std::abs(heard[i]) > 0.01f) {
            first = std::min(first, i);
            last = i;
        }
    }
    ASSERT_LT(first, last);
    const double seconds = double((last - first) / 2) / DeviceRate;
    EXPECT_NEAR(seconds, 4.0, 0.04);
    const std::vector<float> sound(heard.begin() + long(first), heard.begin() + long(last) + 1);
    EXPECT_NEAR(toneFrequency(sound, 2, DeviceRate), 1000.0, 5.0);
}

} // namespace

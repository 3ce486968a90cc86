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

TEST_F(SlowPlaybackTest, ASpeedChangedWhilePlayingAppliesAtOnceInTheSoundsTime)
{
    device.setSpeedPercent(100);
    device.Play();
    card.advance(500);
    device.setSpeedPercent(50);

    qint32 last = device.Position();
    for (int t = 501; t < 1500; ++t) {
        card.advance(1);
        const qint32 position = device.Position();
        ASSERT_GE(position, last) << "at " << t << " ms";
        ASSERT_LE(position, 1000);
        last = position;
        if (t == 1000) {
            EXPECT_EQ(position, 750) << "half the rest, at half speed";
        }
    }
    EXPECT_EQ(notified.count, 0);
    card.advance(1);
    EXPECT_EQ(notified.count, 1) << "after the first half and twice the second";
    EXPECT_EQ(device.Position(), 1000);
}

TEST_F(SlowPlaybackTest, BackAtFullSpeedTheSoundsOwnFramesPlayAgainAndPauseGoesOnFromThere)
{
    device.Play();
    card.advance(200);
    device.setSpeedPercent(100);
    card.advance(100);
    device.Pause();
    EXPECT_EQ(device.Position(), 200);

    device.Play();
    card.advance(799);
    EXPECT_EQ(notified.count, 1) << "the paused command, ended as it was replaced";
    card.advance(1);
    EXPECT_EQ(notified.count, 2);
    EXPECT_EQ(device.Position(), 1000);
    // Past the seam's few milliseconds the frames are the sound's own, up to the pause and on.
    const std::vector<qint16> &handed = card.outputs().back().samples;
    const std::vector<qint16> ramp = rampFrames(120 * Rate / 1000, Rate, 1);
    EXPECT_TRUE(std::search(handed.begin(), handed.end(), ramp.begin(), ramp.end()) != handed.end());
}

// The ramp's sample tells which frame of the sound is heard: through every change, what is
// handed stays with the position (within the stretch's 25 ms), with no jump back or ahead.
TEST_F(SlowPlaybackTest, WhatIsHeardFollowsThePositionThroughEveryChange)
{
    device.Play();
    std::vector<qint32> positions;
    for (const int speed : {50, 75, 100, 60, 100}) {
        device.setSpeedPercent(speed);
        for (int t = 0; t < 250; ++t) {
            positions.push_back(device.Position());
            card.advance(1);
        }
    }
    const std::vector<qint16> &handed = card.outputs().back().samples;
    constexpr int FramesPerMs = Rate / 1000;
    for (size_t t = 0; t < positions.size(); ++t) {
        for (size_t i = t * FramesPerMs; i < (t + 1) * FramesPerMs; ++i)
            ASSERT_NEAR(handed[i], rampSample(positions[t] * FramesPerMs, 0), 25 * FramesPerMs) << "at " << t << " ms";
    }
}

// A tone played on through changes of speed keeps its shape at each seam: no sample steps
// further than the tone itself does, as a click would.
TEST(SlowPlaybackSeams, ChangesWhilePlayingDoNotClick)
{
    TempCourse course;
    constexpr int ToneRate = 22050;
    constexpr double Amplitude = 12000;
    writeWav(course.absolute("tone.wav"), ToneRate, 1,
             sampled([](double t) { return Amplitude / 32768 * std::sin(2 * M_PI * 1000 * t); }, ToneRate, ToneRate));
    VirtualAudioBackend card;
    SoundDevice device(card);
    device.FileName = QStringLiteral("tone.wav");
    device.Open();
    device.Play();
    for (const int speed : {50, 75, 100, 50, 100}) {
        card.advance(150);
        device.setSpeedPercent(speed);
    }
    card.advance(150);
    EXPECT_LE(largestStep(card.outputs().back().samples), 1.05 * Amplitude * 2 * std::sin(M_PI * 1000.0 / ToneRate));
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
    writeWav(course.absolute("tone.wav"), SoundRate, 1,
             sampled([](double t) { return 12000.0 / 32768 * std::sin(2 * M_PI * 1000 * t); }, SoundRate, 3 * SoundRate));
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

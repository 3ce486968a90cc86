// The SDL back end in real time, on the driver the tests run with (SDL_AUDIODRIVER=dummy,
// which plays and captures at real-time pace with no sound server).
#include "sound/SdlAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include "core/CourseError.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int Rate = 22050;

// GIVEN a course folder with a two-second ramp "tone.wav" and an empty recording template
// "rec.wav" (22050 Hz, 16-bit mono).
class SdlSmokeTest : public ::testing::Test {
protected:
    TempCourse course;
    SdlAudioBackend sdl;

    void SetUp() override
    {
        writeRampWav(course.absolute("tone.wav"), Rate, 1, 2 * Rate);
        writeWav(course.absolute("rec.wav"), Rate, 1, {});
    }

    // Lets the event loop run until `count` notifications came, and half a second more so
    // that a notification too many would show.
    static void waitForNotifications(const NotifyCounter &counter, int count)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter.count >= count; }, 5000));
        QTest::qWait(500);
    }
};

TEST_F(SdlSmokeTest, PlayingASegmentEndsWithOneNotification)
{
    SoundDevice player(sdl);
    NotifyCounter notified(player);
    player.FileName = QStringLiteral("tone.wav");
    player.Open();

    player.PlayFrom = 600;
    player.PlayTo = 1000;
    player.Play();
    EXPECT_EQ(player.Mode(), SoundMode::Playing);
    waitForNotifications(notified, 1);

    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(player.Mode(), SoundMode::Stopped);
    EXPECT_EQ(player.Position(), 1000);
    player.Close();
}

TEST_F(SdlSmokeTest, RecordingHalfASecondSavesAWavOfThatLength)
{
    SoundDevice recorder(sdl);
    NotifyCounter notified(recorder);
    recorder.FileName = QStringLiteral("rec.wav");
    recorder.Open();

    recorder.PlayFrom = 0;
    recorder.PlayTo = 500;
    recorder.Record();
    waitForNotifications(notified, 1);
    recorder.Save();
    recorder.Close();

    EXPECT_EQ(notified.count, 1);
    const WavContents saved = readWavContents(course.absolute("rec.wav"));
    ASSERT_TRUE(saved.readable);
    EXPECT_EQ(saved.rate, Rate);
    EXPECT_EQ(saved.channels, 1);
    EXPECT_EQ(saved.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(saved.frames(), framesForMs(500, Rate));
}

TEST_F(SdlSmokeTest, PlayingAndRecordingAtOnce)
{
    SoundDevice player(sdl);
    SoundDevice recorder(sdl);
    NotifyCounter played(player);
    NotifyCounter recorded(recorder);
    player.FileName = QStringLiteral("tone.wav");
    recorder.FileName = QStringLiteral("rec.wav");
    player.Open();
    recorder.Open();

    recorder.PlayFrom = 0;
    recorder.PlayTo = 500;
    recorder.Record();
    player.PlayFrom = 0;
    player.PlayTo = 400;
    player.Play();
    EXPECT_EQ(player.Mode(), SoundMode::Playing);
    EXPECT_EQ(recorder.Mode(), SoundMode::Recording);
    ASSERT_TRUE(QTest::qWaitFor([&] { return played.count >= 1 && recorded.count >= 1; }, 5000));
    QTest::qWait(300);
    recorder.Save();

    EXPECT_EQ(played.count, 1);
    EXPECT_EQ(recorded.count, 1);
    EXPECT_EQ(readWavContents(course.absolute("rec.wav")).frames(), framesForMs(500, Rate));
}

// SDL reads its driver once per start of its audio: this test's own back end starts it
// with a driver that does not exist, as on a machine without any sound.
// SDL's own reason is English and stays out of the Russian message.
TEST_F(SdlSmokeTest, NoUsableDriverFailsTheOpenInTheLearnersWords)
{
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    {
        SdlAudioBackend nothing;
        SoundDevice player(nothing);
        player.FileName = QStringLiteral("tone.wav");
        try {
            player.Open();
            ADD_FAILURE() << "no error";
        } catch (const CourseError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Нет устройства воспроизведения звука: tone.wav"));
        }
        EXPECT_FALSE(player.opened());
    }
    if (driver.isNull())
        qunsetenv("SDL_AUDIODRIVER");
    else
        qputenv("SDL_AUDIODRIVER", driver);
}

} // namespace

#include "shell/IntroWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include "core/CourseError.h"

#include <gtest/gtest.h>

namespace {

// GIVEN a course folder with "music.wav" of the given length and a virtual card.
class IntroWindowTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;

    void writeMusic(int ms) { writeRampWav(course.absolute("music.wav"), 22050, 1, qint64(ms) * 22050 / 1000); }
};

TEST_F(IntroWindowTest, TheMusicOpensWhenTheWindowIsMadeAndPlaysWhenItShows)
{
    writeMusic(3000);
    IntroWindow form(card);
    EXPECT_TRUE(form.musicPlayer->opened());
    EXPECT_EQ(form.musicPlayer->Mode(), SoundMode::Stopped);
    EXPECT_FALSE(form.introEndTimer->isActive());

    form.show();
    card.advance(100);

    EXPECT_TRUE(form.introEndTimer->isActive());
    EXPECT_EQ(form.introEndTimer->interval(), 4500);
    EXPECT_EQ(form.musicPlayer->Mode(), SoundMode::Playing);
    EXPECT_EQ(form.musicPlayer->Position(), 100);
}

TEST_F(IntroWindowTest, ShortMusicClosesItsDeviceAtItsEndAndTheWindowStays)
{
    writeMusic(1000);
    IntroWindow form(card);
    form.show();

    card.advance(1000);

    EXPECT_FALSE(form.musicPlayer->opened());
    EXPECT_EQ(card.openOutputs(), 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.introEndTimer->isActive());
}

TEST_F(IntroWindowTest, TheWindowGoesAfterItsTimeWhileLongerMusicPlaysOnToItsEnd)
{
    writeMusic(6000);
    IntroWindow form(card);
    form.show();
    card.advance(4500);

    form.finishIntro(); // what the 4.5 s timer calls

    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.introEndTimer->isActive());
    EXPECT_EQ(form.musicPlayer->Mode(), SoundMode::Playing);
    card.advance(1499);
    EXPECT_TRUE(form.musicPlayer->opened());
    card.advance(1);
    EXPECT_FALSE(form.musicPlayer->opened());
}

TEST_F(IntroWindowTest, MissingMusicRaisesItsErrorAsTheWindowIsMade)
{
    try {
        IntroWindow form(card);
        ADD_FAILURE() << "no error";
    } catch (const CourseError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Звуковой файл не найден: music.wav"));
    }
}

TEST_F(IntroWindowTest, NoSoundDeviceRaisesAsTheWindowIsMade)
{
    writeMusic(1000);
    card.setOutputPresent(false);

    EXPECT_THROW(IntroWindow form(card), CourseError);
}

} // namespace

#include "support/SoundFiles.h"
#include "sound/VirtualAudioBackend.h"
#include "shell/FormBegin.h"
#include "support/TempCourse.h"

#include "core/CourseError.h"

#include <gtest/gtest.h>

namespace {

// GIVEN a course folder with "music.wav" of the given length and a virtual card.
class FormBeginTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;

    void writeMusic(int ms) { writeRampWav(course.absolute("music.wav"), 22050, 1, qint64(ms) * 22050 / 1000); }
};

TEST_F(FormBeginTest, TheMusicOpensWhenTheWindowIsMadeAndPlaysWhenItShows)
{
    writeMusic(3000);
    TFormBegin form(card);
    EXPECT_TRUE(form.MediaPlayerBegin->opened());
    EXPECT_EQ(form.MediaPlayerBegin->Mode(), SoundMode::Stopped);
    EXPECT_FALSE(form.Timer1->isActive());

    form.show();
    card.advance(100);

    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 4500);
    EXPECT_EQ(form.MediaPlayerBegin->Mode(), SoundMode::Playing);
    EXPECT_EQ(form.MediaPlayerBegin->Position(), 100);
}

TEST_F(FormBeginTest, ShortMusicClosesItsDeviceAtItsEndAndTheWindowStays)
{
    writeMusic(1000);
    TFormBegin form(card);
    form.show();

    card.advance(1000);

    EXPECT_FALSE(form.MediaPlayerBegin->opened());
    EXPECT_EQ(card.openOutputs(), 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Timer1->isActive());
}

TEST_F(FormBeginTest, TheWindowGoesAfterItsTimeWhileLongerMusicPlaysOnToItsEnd)
{
    writeMusic(6000);
    TFormBegin form(card);
    form.show();
    card.advance(4500);

    form.Timer1Timer(); // what the 4.5 s timer calls

    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.MediaPlayerBegin->Mode(), SoundMode::Playing);
    card.advance(1499);
    EXPECT_TRUE(form.MediaPlayerBegin->opened());
    card.advance(1);
    EXPECT_FALSE(form.MediaPlayerBegin->opened());
}

TEST_F(FormBeginTest, MissingMusicRaisesItsErrorAsTheWindowIsMade)
{
    try {
        TFormBegin form(card);
        ADD_FAILURE() << "no error";
    } catch (const CourseError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Звуковой файл не найден: music.wav"));
    }
}

TEST_F(FormBeginTest, NoSoundDeviceRaisesAsTheWindowIsMade)
{
    writeMusic(1000);
    card.setOutputPresent(false);

    EXPECT_THROW(TFormBegin form(card), CourseError);
}

} // namespace

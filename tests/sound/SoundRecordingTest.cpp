#include "sound/SoundResult.h"
#include "sound/VirtualAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// What the virtual microphone hears: frame f (counted from the input's opening) of channel c.
qint16 voice(qint64 frame, int channel)
{
    return qint16((frame * 7 + 3) % 20000 - 10000 + channel * 5);
}

std::vector<qint16> voiceFrames(qint64 first, qint64 last, int channels)
{
    std::vector<qint16> samples;
    for (qint64 f = first; f < last; ++f)
        for (int c = 0; c < channels; ++c)
            samples.push_back(voice(f, c));
    return samples;
}

// The safety copies beside "rec.wav".
QStringList leftovers()
{
    return QDir::current().entryList({QStringLiteral(".rec.wav.*.rec")}, QDir::Files | QDir::Hidden);
}

// GIVEN a course folder with an empty recording template of 22050 Hz, 16-bit mono copied to
// "rec.wav", a virtual card whose microphone hears `voice`, and a device bound to the copy.
class SoundRecordingTest : public ::testing::Test {
protected:
    static constexpr int Rate = 22050;

    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device{card};
    NotifyCounter notified{device};

    void SetUp() override
    {
        card.setMicrophone(voice);
        writeWav(course.absolute("rec.wav"), Rate, 1, {});
        device.FileName = QStringLiteral("rec.wav");
    }
};

TEST_F(SoundRecordingTest, RecordStopsByItselfAtItsEndAndSaveWritesExactlyThatSound)
{
    device.Open();
    device.PlayFrom = 0;
    device.PlayTo = 500;
    device.Record();
    EXPECT_EQ(device.Mode(), SoundMode::Recording);
    card.advance(499);
    EXPECT_EQ(notified.count, 0);
    EXPECT_EQ(device.Mode(), SoundMode::Recording);

    card.advance(1);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 500);
    EXPECT_EQ(device.Length(), 500);

    device.Save();
    EXPECT_EQ(device.DeviceError(), 0);
    const WavContents saved = readWavContents(course.absolute("rec.wav"));
    ASSERT_TRUE(saved.readable);
    EXPECT_EQ(saved.rate, Rate);
    EXPECT_EQ(saved.channels, 1);
    EXPECT_EQ(saved.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(saved.samples, voiceFrames(0, framesForMs(500, Rate), 1));
}

struct TemplateCase {
    int rate;
    int channels;
    int format;
};

class RecordingFormat : public ::testing::TestWithParam<TemplateCase> {};

// The template decides rate, channels and sample size of the recording.
TEST_P(RecordingFormat, IsTheFormatOfTheOpenFile)
{
    const TemplateCase c = GetParam();
    TempCourse course;
    VirtualAudioBackend card;
    card.setMicrophone(voice);
    SoundDevice device(card);
    writeWav(course.absolute("rec.wav"), c.rate, c.channels, {}, c.format);
    device.FileName = QStringLiteral("rec.wav");
    device.Open();

    device.PlayFrom = 0;
    device.PlayTo = 300;
    device.Record();
    card.advance(310);
    device.Save();

    const WavContents saved = readWavContents(course.absolute("rec.wav"));
    ASSERT_TRUE(saved.readable);
    EXPECT_EQ(saved.rate, c.rate);
    EXPECT_EQ(saved.channels, c.channels);
    EXPECT_EQ(saved.format, c.format);
    EXPECT_EQ(saved.frames(), framesForMs(300, c.rate));
}

INSTANTIATE_TEST_SUITE_P(Templates, RecordingFormat,
                         ::testing::Values(TemplateCase{22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                           TemplateCase{11025, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
                                           TemplateCase{44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                           TemplateCase{8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16}));

// The microphone is held while a recording runs or is paused, and let go as soon as it ends:
// by itself, by Stop, or replaced by a Play.
TEST_F(SoundRecordingTest, TheMicrophoneIsHeldOnlyWhileARecordingRuns)
{
    device.Open();
    EXPECT_EQ(card.openInputs(), 0);
    device.PlayFrom = 0;
    device.PlayTo = 200;
    device.Record();
    EXPECT_EQ(card.openInputs(), 1);
    card.advance(200);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(card.openInputs(), 0);

    device.Record();
    card.advance(100);
    device.Pause();
    EXPECT_EQ(card.openInputs(), 1);
    device.Stop();
    EXPECT_EQ(card.openInputs(), 0);

    device.Record();
    device.PlayFrom = 0;
    device.Play();
    EXPECT_EQ(card.openInputs(), 0);
    EXPECT_TRUE(device.opened());
}

TEST_F(SoundRecordingTest, PauseAndRecordWithoutPositionsContinueTheRecording)
{
    device.Open();
    device.Record();
    card.advance(200);

    device.Pause();
    card.advance(300);
    EXPECT_EQ(device.Mode(), SoundMode::Paused);
    EXPECT_EQ(device.Position(), 200);
    EXPECT_EQ(notified.count, 0);

    device.Record();
    card.advance(100);
    EXPECT_EQ(notified.count, 1); // the paused Record was replaced
    device.Stop();
    card.advance(0);
    EXPECT_EQ(notified.count, 2);
    EXPECT_EQ(device.Length(), 300);

    device.Save();
    std::vector<qint16> expected = voiceFrames(0, framesForMs(200, Rate), 1);
    const std::vector<qint16> second = voiceFrames(framesForMs(500, Rate), framesForMs(600, Rate), 1);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(readWavContents(course.absolute("rec.wav")).samples, expected);
}

TEST_F(SoundRecordingTest, SaveWithAnEmptyFileNameWritesNothing)
{
    const QByteArray templateBytes = course.readBytes("rec.wav");
    device.Open();
    device.Record();
    card.advance(200);
    device.Stop();
    const QStringList before = QDir::current().entryList(QDir::Files);

    device.FileName.clear();
    device.Save();

    EXPECT_EQ(device.DeviceError(), 0);
    EXPECT_EQ(QDir::current().entryList(QDir::Files), before);
    EXPECT_EQ(course.readBytes("rec.wav"), templateBytes);
}

TEST_F(SoundRecordingTest, WhatIsRecordedIsAlsoInATemporaryFileUntilItIsSaved)
{
    device.Open();
    device.Record();
    card.advance(300);
    device.Pause();

    // WHILE recording, a hidden copy beside the recording holds the sound so far
    const QStringList tmp = leftovers();
    ASSERT_EQ(tmp.size(), 1);
    EXPECT_EQ(readWavContents(tmp.first()).samples, voiceFrames(0, framesForMs(300, Rate), 1));

    // WHEN the recording is saved and the device closed, the safety copy goes
    device.Save();
    device.Close();
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(SoundRecordingTest, AFailedSaveLeavesTheRecordingInTheTemporaryFile)
{
    device.Open();
    device.Record();
    card.advance(300);
    device.Stop();

    device.FileName = QStringLiteral("no such folder\\rec.wav");
    device.Save();
    EXPECT_EQ(device.DeviceError(), SoundResult::WriteFailed);
    device.Close();

    const QStringList tmp = leftovers();
    ASSERT_EQ(tmp.size(), 1);
    const WavContents kept = readWavContents(tmp.first());
    EXPECT_EQ(kept.rate, Rate);
    EXPECT_EQ(kept.samples, voiceFrames(0, framesForMs(300, Rate), 1));
}

TEST_F(SoundRecordingTest, RecordingInsideASoundOverwritesThatStretchOnly)
{
    writeRampWav(course.absolute("rec.wav"), Rate, 1, Rate);
    device.Open();

    device.PlayFrom = 100;
    device.PlayTo = 200;
    device.Record();
    card.advance(100);
    device.Save();

    std::vector<qint16> expected = rampFrames(0, framesForMs(100, Rate), 1);
    const std::vector<qint16> voiced = voiceFrames(0, framesForMs(200, Rate) - framesForMs(100, Rate), 1);
    const std::vector<qint16> rest = rampFrames(framesForMs(200, Rate), Rate, 1);
    expected.insert(expected.end(), voiced.begin(), voiced.end());
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(readWavContents(course.absolute("rec.wav")).samples, expected);
    EXPECT_EQ(device.Length(), 1000);
}

TEST_F(SoundRecordingTest, WhatWasRecordedCanBePlayedBack)
{
    card.setMicrophone([](qint64 frame, int channel) { return rampSample(frame, channel); });
    device.Open();
    device.PlayFrom = 0;
    device.PlayTo = 200;
    device.Record();
    card.advance(200);

    device.PlayFrom = 0;
    device.Play();
    card.advance(200);

    EXPECT_EQ(notified.count, 2);
    EXPECT_EQ(soundHanded(card.outputs().back().samples), rampFrames(0, framesForMs(200, Rate), 1));
}

TEST_F(SoundRecordingTest, NoMicrophoneSetsDeviceErrorAndStartsNothing)
{
    card.setInputPresent(false);
    device.Open();

    device.Record();
    card.advance(300);

    EXPECT_EQ(device.DeviceError(), SoundResult::NoInputDevice);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(notified.count, 0);
    device.Close();
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(SoundRecordingTest, RecordFromBeyondTheEndIsOutOfRange)
{
    device.Open();
    device.PlayFrom = 1;
    device.Record();

    EXPECT_EQ(device.DeviceError(), SoundResult::OutOfRange);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
}

TEST_F(SoundRecordingTest, PlayReplacingARecordingEndsIt)
{
    device.Open();
    device.Record();
    card.advance(200);

    device.PlayFrom = 0;
    device.Play();
    card.advance(0);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Length(), 200);
    card.advance(200);
    EXPECT_EQ(notified.count, 2);
}

} // namespace

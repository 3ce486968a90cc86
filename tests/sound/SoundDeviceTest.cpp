#include "sound/SoundResult.h"
#include "sound/VirtualAudioBackend.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include "core/CourseError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// GIVEN a course folder with a one-second ramp at 8000 Hz ("tone.wav"), a virtual card and a
// device bound to the sound.
class SoundDeviceTest : public ::testing::Test {
protected:
    static constexpr int Rate = 8000;

    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device{card};
    NotifyCounter notified{device};

    void SetUp() override
    {
        writeRampWav(course.absolute("tone.wav"), Rate, 1, Rate);
        device.FileName = QStringLiteral("tone.wav");
    }

    const std::vector<qint16> &handed() const { return card.outputs().back().samples; }
};

TEST_F(SoundDeviceTest, OpenedSoundStandsStoppedAtTheStart)
{
    device.Open();

    EXPECT_TRUE(device.opened());
    EXPECT_EQ(device.DeviceError(), 0);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 0);
    EXPECT_EQ(device.Length(), 1000);
}

// A kept sound is read once: a later Open plays its frames though the file went away, and
// they are at hand while the device is closed. What sound() handed out never changes: a
// recording writes into a copy of its own (a reader during it gets the frames of that
// moment), and lets the kept frames go.
TEST_F(SoundDeviceTest, AKeptSoundIsReadOnceAndItsFramesNeverChangeUnderAReader)
{
    device.keepSound();
    const std::shared_ptr<const SoundData> kept = device.sound();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->samples, rampFrames(0, Rate, 1));
    ASSERT_TRUE(QFile::remove(course.absolute("tone.wav")));
    device.Open();
    EXPECT_EQ(device.sound(), kept);
    device.PlayTo = 10;
    device.Play();
    card.advance(20);
    EXPECT_EQ(soundHanded(handed()), rampFrames(0, 80, 1));

    card.setMicrophone([](qint64, int) { return qint16(7); });
    device.PlayFrom = 0;
    device.PlayTo = 100;
    device.Record();
    card.advance(50);
    const std::shared_ptr<const SoundData> halfway = device.sound();
    card.advance(50);
    EXPECT_EQ(halfway->samples[100], 7) << "recorded by then";
    EXPECT_EQ(halfway->samples[700], rampSample(700, 0)) << "not yet recorded then";
    EXPECT_EQ(kept->samples, rampFrames(0, Rate, 1));
    EXPECT_EQ(device.sound()->samples[0], 7);
    device.Close();
    EXPECT_EQ(device.sound(), nullptr);
}

TEST_F(SoundDeviceTest, PlayToTheEndNotifiesOnceWhenTheLastFrameIsHeard)
{
    device.Open();

    device.Play();
    card.advance(999);
    EXPECT_EQ(notified.count, 0);
    EXPECT_EQ(device.Mode(), SoundMode::Playing);

    card.advance(1);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 1000);
    EXPECT_EQ(soundHanded(handed()), rampFrames(0, Rate, 1));

    card.advance(500);
    EXPECT_EQ(notified.count, 1);
}

struct SegmentCase {
    int rate;
    int channels;
    int from;
    int to;
    int latencyMs;
};

class PlaySegment : public ::testing::TestWithParam<SegmentCase> {};

// Play(from, to) hands exactly the frames from..to, and notifies at the moment the last
// of them is heard.
TEST_P(PlaySegment, HandsExactlyTheFramesAskedForAndEndsWhenTheyAreHeard)
{
    const SegmentCase c = GetParam();
    TempCourse course;
    VirtualAudioBackend card(c.latencyMs);
    SoundDevice device(card);
    NotifyCounter notified(device);
    writeRampWav(course.absolute("s.wav"), c.rate, c.channels, c.rate * 2);
    device.FileName = QStringLiteral("s.wav");
    device.Open();

    device.PlayFrom = c.from;
    device.PlayTo = c.to;
    device.Play();
    const qint64 first = framesForMs(c.from, c.rate);
    const qint64 last = framesForMs(c.to, c.rate);
    // The first moment at which that many frames have been heard.
    qint64 heardAt = 0;
    while (heardAt * c.rate / 1000 < last - first)
        ++heardAt;
    card.advance(int(heardAt + c.latencyMs - 1));
    EXPECT_EQ(notified.count, 0);
    card.advance(1);

    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Position(), c.to);
    EXPECT_EQ(soundHanded(card.outputs().back().samples), rampFrames(first, last, c.channels));
}

INSTANTIATE_TEST_SUITE_P(Segments, PlaySegment,
                         ::testing::Values(SegmentCase{8000, 1, 0, 2000, 0}, SegmentCase{8000, 1, 250, 650, 0},
                                           SegmentCase{22050, 1, 123, 457, 0}, SegmentCase{22050, 1, 1999, 2000, 0},
                                           SegmentCase{11025, 1, 0, 1, 0}, SegmentCase{44100, 2, 10, 20, 0},
                                           SegmentCase{22050, 1, 300, 700, 35}, SegmentCase{48000, 2, 1, 1500, 20}));

TEST_F(SoundDeviceTest, PositionIsWhatIsHeardAndNeverGoesBack)
{
    VirtualAudioBackend slowCard(20);
    SoundDevice slow(slowCard);
    slow.FileName = QStringLiteral("tone.wav");
    slow.Open();

    slow.Play();
    qint32 previous = 0;
    for (int t = 1; t <= 1020; ++t) {
        slowCard.advance(1);
        const qint32 position = slow.Position();
        ASSERT_GE(position, previous) << "at " << t << " ms";
        ASSERT_EQ(position, std::clamp(t - 20, 0, 1000)) << "at " << t << " ms";
        previous = position;
    }
}

struct RewindCase {
    bool autoRewind;
    std::optional<int> from;
    std::optional<int> to;
    qint64 firstFrame; // of what the second Play hands
    qint64 lastFrame;
};

class AutoRewind : public ::testing::TestWithParam<RewindCase> {};

// At the end of the sound, Play without positions starts again from the beginning when
// AutoRewind is on; positions given are played as asked.
TEST_P(AutoRewind, PlayAtTheEnd)
{
    const RewindCase c = GetParam();
    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device(card);
    NotifyCounter notified(device);
    writeRampWav(course.absolute("tone.wav"), 8000, 1, 8000);
    device.FileName = QStringLiteral("tone.wav");
    device.AutoRewind = c.autoRewind;
    device.Open();
    device.Play();
    card.advance(1000);
    ASSERT_EQ(device.Position(), device.Length());

    const size_t before = card.outputs().back().samples.size();
    device.PlayFrom = c.from;
    device.PlayTo = c.to;
    device.Play();
    card.advance(1100);

    const auto &log = card.outputs().back().samples;
    EXPECT_EQ(soundHanded({log.begin() + qint64(before), log.end()}), rampFrames(c.firstFrame, c.lastFrame, 1));
    EXPECT_EQ(notified.count, 2);
}

INSTANTIATE_TEST_SUITE_P(AtTheEnd, AutoRewind,
                         ::testing::Values(RewindCase{true, {}, {}, 0, 8000}, RewindCase{false, {}, {}, 0, 0},
                                           RewindCase{true, 200, 300, 1600, 2400},
                                           RewindCase{false, 200, {}, 1600, 8000},
                                           RewindCase{true, {}, 1000, 0, 0}));

TEST_F(SoundDeviceTest, PositionsApplyToTheNextPlayOnly)
{
    device.Open();
    device.PlayFrom = 200;
    device.PlayTo = 300;
    device.Play();
    card.advance(100);
    ASSERT_EQ(notified.count, 1);
    EXPECT_FALSE(device.PlayFrom.has_value());
    EXPECT_FALSE(device.PlayTo.has_value());

    // WHEN Play is called again without positions
    const size_t before = handed().size();
    device.Play();
    card.advance(700);

    // THEN it goes on from where the segment ended, to the end of the file
    EXPECT_EQ(notified.count, 2);
    EXPECT_EQ(soundHanded({handed().begin() + qint64(before), handed().end()}), rampFrames(2400, 8000, 1));
}

TEST_F(SoundDeviceTest, StopEndsThePlayWithOneNotificationAndNotifiesNothingItself)
{
    device.Open();
    device.Play();
    card.advance(100);

    device.Stop();
    card.advance(0);

    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(device.Position(), 100);
    device.Stop();
    card.advance(2000);
    EXPECT_EQ(notified.count, 1);
}

TEST_F(SoundDeviceTest, PlayReplacingARunningPlayEndsItWithItsNotification)
{
    device.Open();
    device.Play();
    card.advance(100);

    device.PlayFrom = 900;
    device.Play();
    card.advance(0);
    EXPECT_EQ(notified.count, 1);

    card.advance(100);
    EXPECT_EQ(notified.count, 2);
}

TEST_F(SoundDeviceTest, PauseKeepsThePositionAndPlayContinuesExactlyFromThere)
{
    device.Open();
    device.Play();
    card.advance(300);

    device.Pause();
    card.advance(500);
    EXPECT_EQ(device.Mode(), SoundMode::Paused);
    EXPECT_EQ(device.Position(), 300);
    EXPECT_EQ(notified.count, 0);

    // WHEN playback resumes, the paused Play is replaced: it reports its end
    device.Play();
    card.advance(0);
    EXPECT_EQ(notified.count, 1);
    card.advance(700);

    EXPECT_EQ(notified.count, 2);
    std::vector<qint16> sound;
    for (qint16 sample : handed())
        if (sample != 0)
            sound.push_back(sample);
    EXPECT_EQ(sound, rampFrames(0, 8000, 1));
}

TEST_F(SoundDeviceTest, CommandsThatNeedAnOpenDeviceRaiseOnAClosedOne)
{
    const std::vector<std::pair<const char *, std::function<void()>>> commands = {
        {"Play", [&] { device.Play(); }},   {"Record", [&] { device.Record(); }},
        {"Stop", [&] { device.Stop(); }},   {"Pause", [&] { device.Pause(); }},
        {"Save", [&] { device.Save(); }},   {"Length", [&] { device.Length(); }},
    };
    for (const auto &[name, command] : commands) {
        try {
            command();
            ADD_FAILURE() << name << " did not raise";
        } catch (const CourseError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Звуковое устройство не открыто")) << name;
            EXPECT_EQ(device.DeviceError(), SoundResult::DeviceNotOpen) << name;
        }
    }
    EXPECT_NO_THROW(device.Close());
    EXPECT_EQ(device.Position(), 0);
    EXPECT_EQ(device.Mode(), SoundMode::NotReady);
}

struct RangeCase {
    std::optional<int> from;
    std::optional<int> to;
};

class PlayOutOfRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PlayOutOfRange, SetsDeviceErrorAndStartsNothing)
{
    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device(card);
    NotifyCounter notified(device);
    writeRampWav(course.absolute("tone.wav"), 8000, 1, 8000);
    device.FileName = QStringLiteral("tone.wav");
    device.Open();

    device.PlayFrom = GetParam().from;
    device.PlayTo = GetParam().to;
    device.Play();
    card.advance(1200);

    EXPECT_EQ(device.DeviceError(), SoundResult::OutOfRange);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
    EXPECT_EQ(notified.count, 0);
    EXPECT_TRUE(soundHanded(card.outputs().back().samples).empty());

    // The device stays usable, and the bad positions are gone.
    device.Play();
    card.advance(1000);
    EXPECT_EQ(device.DeviceError(), 0);
    EXPECT_EQ(notified.count, 1);
}

INSTANTIATE_TEST_SUITE_P(Positions, PlayOutOfRange,
                         ::testing::Values(RangeCase{-1, {}}, RangeCase{{}, -5}, RangeCase{1001, {}},
                                           RangeCase{0, 1001}, RangeCase{600, 500}, RangeCase{-2000, -1000}));

struct BadFile {
    const char *name;
    std::function<void(const TempCourse &)> make;
    QString message;
    qint32 code;
};

// Opening a file that is not a usable WAV raises with a text naming the file, leaves the
// device closed, and the same device then opens a good file.
TEST_F(SoundDeviceTest, OpenRaisesAClearErrorForAFileItCannotPlay)
{
    const QByteArray wav = course.readBytes("tone.wav");
    const std::vector<BadFile> cases = {
        {"missing", [](const TempCourse &) {}, QStringLiteral("Звуковой файл не найден: bad.wav"),
         SoundResult::FileNotFound},
        {"empty", [](const TempCourse &c) { c.writeBytes("bad.wav", {}); },
         QStringLiteral("Файл не является звуковым файлом WAV или поврежден: bad.wav"), SoundResult::NotWave},
        {"text", [](const TempCourse &c) { c.writeBytes("bad.wav", "Hello, this is not a sound\r\n"); },
         QStringLiteral("Файл не является звуковым файлом WAV или поврежден: bad.wav"), SoundResult::NotWave},
        {"header cut short", [&](const TempCourse &c) { c.writeBytes("bad.wav", wav.left(30)); },
         QStringLiteral("Файл не является звуковым файлом WAV или поврежден: bad.wav"), SoundResult::NotWave},
        {"folder", [](const TempCourse &c) { QDir(c.root()).mkdir("bad.wav"); },
         QStringLiteral("Файл не является звуковым файлом WAV или поврежден: bad.wav"), SoundResult::NotWave},
        {"not a WAV container",
         [](const TempCourse &c) { writeRampWav(c.absolute("bad.wav"), 8000, 1, 800, SF_FORMAT_AIFF | SF_FORMAT_PCM_16); },
         QStringLiteral("Файл не является звуковым файлом WAV или поврежден: bad.wav"), SoundResult::NotWave},
        {"four channels",
         [](const TempCourse &c) { writeRampWav(c.absolute("bad.wav"), 8000, 4, 800); },
         QStringLiteral("Формат звукового файла не поддерживается: bad.wav"), SoundResult::UnsupportedFormat},
        {"rate too low",
         [](const TempCourse &c) { writeRampWav(c.absolute("bad.wav"), 100, 1, 80); },
         QStringLiteral("Формат звукового файла не поддерживается: bad.wav"), SoundResult::UnsupportedFormat},
    };
    for (const BadFile &c : cases) {
        TempCourse folder;
        c.make(folder);
        SoundDevice device(card);
        device.FileName = QStringLiteral("bad.wav");
        try {
            device.Open();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const CourseError &error) {
            EXPECT_TRUE(error.message().startsWith(c.message)) << c.name << ": " << error.message().toStdString();
        }
        EXPECT_EQ(device.DeviceError(), c.code) << c.name;
        EXPECT_FALSE(device.opened()) << c.name;
        EXPECT_EQ(device.Mode(), SoundMode::NotReady) << c.name;

        folder.writeBytes("good.wav", wav);
        device.FileName = QStringLiteral("good.wav");
        EXPECT_NO_THROW(device.Open()) << c.name;
        EXPECT_EQ(device.Length(), 1000) << c.name;
    }
}

TEST_F(SoundDeviceTest, AFileCutShortPlaysTheFramesItHolds)
{
    // GIVEN a WAV whose header promises a second but whose data stops at half of it
    const QByteArray wav = course.readBytes("tone.wav");
    course.writeBytes("half.wav", wav.left(wav.size() - Rate));
    device.FileName = QStringLiteral("half.wav");

    device.Open();
    device.Play();
    card.advance(1000);

    EXPECT_EQ(device.Length(), 500);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(soundHanded(handed()), rampFrames(0, Rate / 2, 1));
}

TEST_F(SoundDeviceTest, AnEmptySoundOpensAndItsPlayEndsAtOnce)
{
    writeWav(course.absolute("empty.wav"), 22050, 1, {});
    device.FileName = QStringLiteral("empty.wav");

    device.Open();
    EXPECT_EQ(device.Length(), 0);
    device.Play();
    card.advance(0);

    EXPECT_EQ(device.DeviceError(), 0);
    EXPECT_EQ(notified.count, 1);
    EXPECT_EQ(device.Mode(), SoundMode::Stopped);
}

TEST_F(SoundDeviceTest, NoSoundDeviceAtAllFailsTheOpen)
{
    card.setOutputPresent(false);

    try {
        device.Open();
        ADD_FAILURE() << "no error";
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Нет устройства воспроизведения звука: tone.wav")));
    }
    EXPECT_EQ(device.DeviceError(), SoundResult::NoOutputDevice);
    EXPECT_FALSE(device.opened());
}

TEST_F(SoundDeviceTest, CloseForgetsThePlayThatRanAndAnyNotificationOnItsWay)
{
    device.Open();
    device.Play();
    card.advance(100);
    device.Stop(); // its notification is queued, not yet delivered

    device.Close();
    card.advance(2000);

    EXPECT_EQ(notified.count, 0);
    EXPECT_EQ(card.openOutputs(), 0);
    EXPECT_EQ(device.Mode(), SoundMode::NotReady);
}

TEST_F(SoundDeviceTest, OpenOnAnOpenDeviceClosesItFirst)
{
    device.Open();
    device.Play();
    card.advance(100);

    device.Open();
    card.advance(2000);

    EXPECT_EQ(notified.count, 0);
    EXPECT_EQ(card.openOutputs(), 1);
    EXPECT_EQ(device.Position(), 0);
}

TEST_F(SoundDeviceTest, CourseNamesWithBackslashesAndAnyCaseAreFound)
{
    QDir(course.root()).mkpath("____Data/lesson1");
    QFile::copy(course.absolute("tone.wav"), course.absolute("____Data/lesson1/Text.wav"));
    device.FileName = QStringLiteral("____Data\\LESSON1\\text.WAV");

    device.Open();

    EXPECT_EQ(device.Length(), 1000);
}

TEST_F(SoundDeviceTest, TheDeviceIsClosedWithItsWindow)
{
    {
        SoundDevice windowDevice(card);
        windowDevice.FileName = QStringLiteral("tone.wav");
        windowDevice.Open();
        windowDevice.Play();
        card.advance(10);
        EXPECT_EQ(card.openOutputs(), 1);
    }
    card.advance(1000);
    EXPECT_EQ(card.openOutputs(), 0);
}

} // namespace

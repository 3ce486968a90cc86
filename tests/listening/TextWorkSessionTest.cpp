#include "TextWorkCourse.h"
#include "listening/TextWorkSession.h"
#include "sound/SdlAudioBackend.h"
#include "sound/VirtualAudioBackend.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using Controls = TextWorkSession::Controls;

// The controls while a playback holds them, and while idle.
Controls playingControls(bool learnerSound)
{
    Controls c;
    c.slider = c.playAll = c.playFromLine = c.playLine = c.loop = c.marker = false;
    c.stop = true;
    c.learnerSound = learnerSound;
    return c;
}

class TextWorkSessionTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice device{card};
    SoundDevice learnerDevice{card};
    TextWorkSources sources = writeTextWork(course);
    std::unique_ptr<TextWorkSession> session;

    void open(const QString &learnerRecording = {})
    {
        sources.learnerRecording = learnerRecording;
        session = std::make_unique<TextWorkSession>(device, learnerDevice, sources);
        ASSERT_TRUE(session->load());
    }

    // Virtual time goes on in steps of the window's 50 ms timer, each followed by its tick.
    void run(int ms)
    {
        for (int t = 0; t < ms; t += 50) {
            card.advance(50);
            session->tick();
        }
    }

    Controls idle() const
    {
        Controls c = session->controls();
        c.slider = c.playAll = c.playFromLine = c.playLine = c.marker = true;
        c.loop = !session->learnerSoundChosen();
        c.stop = false;
        return c;
    }
};

// "С начала" plays from line 2; the current line passes a line only when the position is
// strictly past its end, skips separators, and stops at the last line.
TEST_F(TextWorkSessionTest, PlayAllFollowsTheSoundLineByLine)
{
    open();
    QSignalSpy focus(session.get(), &TextWorkSession::sliderFocusWanted);
    session->setCurrentIndex(3);

    session->playAll();
    EXPECT_EQ(session->currentIndex(), 1);
    EXPECT_EQ(device.Position(), 500);
    EXPECT_TRUE(session->following());
    EXPECT_EQ(session->scrollSpeed(), TextWorkSession::FollowScrollSpeed);
    EXPECT_EQ(session->controls(), playingControls(false));

    QList<int> lines;
    for (int ms : {50, 450, 50, 1000, 50, 950, 1500}) { // positions 550, 1000, 1050, 2050, 2100, 3050, 4550
        run(ms);
        lines.append(session->currentIndex());
    }
    EXPECT_EQ(lines, QList<int>({2, 2, 3, 4, 5, 6, 6}));

    run(500); // the sound ends at 5000
    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->following());
    EXPECT_FALSE(device.opened());
    EXPECT_EQ(session->scrollSpeed(), TextWorkSession::IdleScrollSpeed);
    EXPECT_EQ(session->controls(), idle());
    EXPECT_EQ(focus.count(), 1);
}

TEST_F(TextWorkSessionTest, PlayFromASeparatorStartsAtTheNextLine)
{
    open();
    session->setCurrentIndex(4);

    session->playFromLine();

    EXPECT_EQ(device.Position(), 2000);
    EXPECT_TRUE(session->following());
    run(50);
    EXPECT_EQ(session->currentIndex(), 5);
}

TEST_F(TextWorkSessionTest, PlayLinePlaysTheCurrentLineOnlyWithoutFollowing)
{
    open();
    session->setCurrentIndex(3);

    session->playLine();
    EXPECT_EQ(device.Position(), 1000);
    EXPECT_FALSE(session->following());
    run(950);
    EXPECT_TRUE(session->playing());
    run(50);

    EXPECT_FALSE(session->playing());
    EXPECT_EQ(session->currentIndex(), 3);
}

// A sound shorter than the current line's end: "Фрагмент" and "С фрагмента" close the
// device and do nothing.
TEST_F(TextWorkSessionTest, SoundShorterThanTheLineStartsNothing)
{
    writeRampWav(course.absolute("short.wav"), 8000, 1, 8000 * 3 / 2);
    sources.courseSound = "short.wav";
    open();
    session->setCurrentIndex(3);
    const Controls before = session->controls();

    session->playLine();
    session->playFromLine();

    EXPECT_FALSE(device.opened());
    EXPECT_FALSE(session->playing());
    EXPECT_EQ(session->controls(), before);
}

struct MarkCase {
    const char *name;
    QList<int> lines; // the current line at each press of the marker
    int begin;
    int end;
};

class TextWorkMarker : public TextWorkSessionTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(TextWorkMarker, MarksTheFragment)
{
    const MarkCase &c = GetParam();
    open();
    QStringList labels;
    for (int line : c.lines) {
        session->setCurrentIndex(line);
        session->mark();
        labels.append(session->markerLabel());
    }

    EXPECT_EQ(labels, QStringList({"Окончание", "Начало"}));
    EXPECT_EQ(std::pair(session->selectionBegin(), session->selectionEnd()), std::pair(c.begin, c.end));
    EXPECT_EQ(session->markedRange(), std::optional(std::pair(c.begin - 1, c.end - 1)));
}

INSTANTIATE_TEST_SUITE_P(Presses, TextWorkMarker,
                         ::testing::Values(MarkCase{"BeginThenEnd", {2, 5}, 2, 5},
                                           MarkCase{"EndBeforeBeginSwaps", {5, 2}, 2, 5},
                                           MarkCase{"EndOnASeparatorMovesUp", {2, 4}, 2, 3},
                                           MarkCase{"SeparatorAloneKeepsOneLine", {4, 4}, 4, 4}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TextWorkSessionTest, LoopWithoutAFragmentDoesNothing)
{
    open();

    session->playLoop();

    EXPECT_FALSE(device.opened());
    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->loopSelection());
}

// The fragment 2..3 (500 to 2000 ms) repeats until "Стоп" or "Комментарий".
TEST_F(TextWorkSessionTest, LoopRepeatsTheFragmentUntilStopOrComment)
{
    for (bool byComment : {false, true}) {
        SCOPED_TRACE(byComment ? "Комментарий" : "Стоп");
        open();
        for (int line : {2, 3}) {
            session->setCurrentIndex(line);
            session->mark();
        }
        session->setCurrentIndex(5);

        session->playLoop();
        EXPECT_EQ(session->currentIndex(), 2);
        EXPECT_EQ(device.Position(), 500);
        run(1500); // first round ends, the second begins at once
        EXPECT_TRUE(session->playing());
        EXPECT_EQ(device.Position(), 500);
        EXPECT_EQ(session->currentIndex(), 2);
        run(1000);
        EXPECT_EQ(session->currentIndex(), 3);

        if (byComment)
            session->openComments();
        else
            session->stop();
        run(100);

        EXPECT_FALSE(session->playing());
        EXPECT_FALSE(session->loopSelection());
        EXPECT_FALSE(device.opened());
        EXPECT_EQ(session->controls(), idle());
    }
}

// The sound server dies during a loop: once its device has been silent a second the playback
// ends, the window is idle, the loop does not start again and the learner is told once; the
// next play, after the server came back, is heard on a new device.
TEST_F(TextWorkSessionTest, ALostDeviceEndsTheLoopWithTheMessageAndTheNextPlayOpensANewOne)
{
    open();
    for (int line : {2, 3}) {
        session->setCurrentIndex(line);
        session->mark();
    }
    QSignalSpy failed(session.get(), &TextWorkSession::soundFailed);
    session->playLoop();
    run(500);

    card.stopServer();
    run(950);
    EXPECT_TRUE(session->playing());
    run(100);
    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->loopSelection());
    EXPECT_FALSE(device.opened());
    EXPECT_EQ(session->controls(), idle());
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][0].toString(), QStringLiteral("Нет устройства воспроизведения звука"));

    card.startServer();
    session->setCurrentIndex(2);
    session->playLine();
    run(550);
    EXPECT_FALSE(session->playing());
    EXPECT_EQ(failed.size(), 1);
    EXPECT_EQ(soundHanded(card.outputs().back().samples), rampFrames(4000, 8000, 1)) << "line 2: 500 to 1000 ms";
}

TEST_F(TextWorkSessionTest, CommentsBelongToTheirLine)
{
    open();
    session->setCurrentIndex(2);
    session->tick();
    EXPECT_TRUE(session->controls().comment);
    EXPECT_EQ(session->openComments(), QStringList({"First note.", "Second."}));

    session->setCurrentIndex(3);
    session->tick();
    EXPECT_FALSE(session->controls().comment);
    EXPECT_TRUE(session->openComments().isEmpty());
}

TEST_F(TextWorkSessionTest, WithoutALearnerRecordingTheCourseSoundIsAllThereIs)
{
    open();

    EXPECT_FALSE(session->controls().learnerSound);
    session->setCurrentIndex(2);
    EXPECT_FALSE(session->controls().compare);
    EXPECT_EQ(session->learnerFrames(), nullptr);
    EXPECT_NE(session->courseFrames(), nullptr) << "read once, at the start";
    EXPECT_EQ(session->helpKey(), "WorkText");
    EXPECT_EQ(session->helpContext(), 130);
    session->learnerBoxClicked(true);
    EXPECT_EQ(session->currentSound(), "text.wav");
}

// Choosing the learner's recording disables "Цикл" and plays it with its own timing.
TEST_F(TextWorkSessionTest, LearnerRecordingPlaysWithItsCueFile)
{
    open("user5.wav");
    EXPECT_TRUE(session->controls().learnerSound);
    EXPECT_EQ(session->helpKey(), "ListenTrans");
    EXPECT_EQ(session->helpContext(), 180);

    session->learnerBoxClicked(true);
    EXPECT_FALSE(session->controls().loop);
    session->setCurrentIndex(2);
    session->playLine();

    EXPECT_EQ(learnerDevice.FileName, "user5.wav");
    EXPECT_EQ(learnerDevice.Position(), 1000);
    EXPECT_FALSE(device.opened());
    run(1000);
    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->controls().loop);

    session->learnerBoxClicked(false);
    EXPECT_TRUE(session->controls().loop);
    EXPECT_EQ(session->currentSound(), "text.wav");
}

// "Сравнить" plays the course's line, then after the pause the learner's same line by its cue;
// the current line stays, and the buttons stay held until the end. "Стоп" ends it during the
// pause too, and nothing of the learner's is heard then. A line without a cue entry, or a
// separator, cannot be compared.
TEST_F(TextWorkSessionTest, CompareTheCourseLineWithTheLearnersSameLine)
{
    course.writeLines("user5.txt", {"#", "1000\t2000", "2000\t3000"});
    open("user5.wav");
    const auto learnerOpened = [&](int ms) { return QTest::qWaitFor([&] { return learnerDevice.opened(); }, ms); };
    EXPECT_FALSE(session->controls().compare) << "the title is a separator";
    session->setCurrentIndex(3);
    ASSERT_TRUE(session->controls().compare);

    session->compare();
    EXPECT_EQ(device.Position(), 1000);
    EXPECT_EQ(session->controls(), playingControls(true));
    run(1050);
    EXPECT_FALSE(device.opened()) << "the course's line has ended";
    EXPECT_TRUE(session->playing());
    EXPECT_EQ(session->controls(), playingControls(true));
    ASSERT_TRUE(learnerOpened(2000));
    EXPECT_EQ(learnerDevice.Position(), 2000);
    EXPECT_TRUE(session->learnerHeard());
    run(900);
    EXPECT_TRUE(session->playing());
    EXPECT_EQ(session->currentIndex(), 3);
    run(150);
    EXPECT_FALSE(session->playing());
    EXPECT_EQ(session->controls(), idle());
    EXPECT_TRUE(session->controls().compare);
    EXPECT_EQ(session->currentIndex(), 3);

    session->compare();
    run(1050);
    session->stop();
    EXPECT_FALSE(session->playing());
    EXPECT_EQ(session->controls(), idle());
    EXPECT_FALSE(learnerOpened(TextWorkSession::ComparePauseMs + 100)) << "stopped during the pause";

    session->setCurrentIndex(5);
    EXPECT_FALSE(session->controls().compare) << "the cue file ends before line 5";
    session->compare();
    EXPECT_FALSE(session->playing());
}

// Through SDL's disk driver, in real time: the course's line (a 440 Hz tone) comes out, then
// about 300 ms of silence, then the learner's line (an 880 Hz tone), each as long as its line.
TEST(TextWorkCompareThroughSdl, TheModelThenThePauseThenTheLearner)
{
    TempCourse course;
    TextWorkSources sources = writeTextWork(course);
    sources.learnerRecording = QStringLiteral("user5.wav");
    constexpr int SoundRate = 22050;
    // Line 2 is 500–1000 ms of the course sound and 1000–2000 ms of the learner's recording.
    const auto toneWav = [&](const char *name, double hz, int fromMs, int toMs) {
        std::vector<qint16> samples(size_t(3 * SoundRate));
        for (qint64 i = qint64(fromMs) * SoundRate / 1000; i < qint64(toMs) * SoundRate / 1000; ++i)
            samples[size_t(i)] = qint16(std::lround(12000 * std::sin(2 * M_PI * hz * double(i) / SoundRate)));
        writeWav(course.absolute(QString::fromLatin1(name)), SoundRate, 1, samples);
    };
    toneWav("text.wav", 440, 500, 1000);
    toneWav("user5.wav", 880, 1000, 2000);
    const QString speakerFile = QDir::current().filePath("speaker.raw");
    {
        const EnvironmentOverride driver("SDL_AUDIODRIVER", "disk");
        const EnvironmentOverride out("SDL_DISKAUDIOFILE", QFile::encodeName(speakerFile));
        SdlAudioBackend sdl;
        SoundDevice courseDevice(sdl);
        SoundDevice learnerDevice(sdl);
        TextWorkSession session(courseDevice, learnerDevice, sources);
        ASSERT_TRUE(session.load());
        session.setCurrentIndex(2);
        session.compare();
        ASSERT_TRUE(session.playing());
        // An event loop of its own, so that the pause's timer is served on time.
        QEventLoop loop;
        QObject::connect(&session, &TextWorkSession::stateChanged, &loop, [&] {
            if (!session.playing())
                loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_FALSE(session.playing());
    }
    const std::vector<float> heard = readDiskDriverOutput(speakerFile);
    ASSERT_FALSE(heard.empty());

    // The runs of sound in the 48 kHz stereo stream: from a frame above the silence to the last
    // one before 50 ms of silence.
    constexpr int DeviceRate = 48000;
    struct Run {
        size_t first = 0;
        size_t last = 0;
    };
    std::vector<Run> runs;
    for (size_t frame = 0; frame < heard.size() / 2; ++frame) {
        if (std::abs(heard[2 * frame]) <= 0.01f)
            continue;
        if (runs.empty() || frame - runs.back().last > DeviceRate / 20)
            runs.push_back({frame, frame});
        runs.back().last = frame;
    }
    ASSERT_EQ(runs.size(), 2U);
    const auto seconds = [](size_t frames) { return double(frames) / DeviceRate; };
    const auto frequency = [&](const Run &run) {
        return toneFrequency({heard.begin() + long(2 * run.first), heard.begin() + long(2 * run.last + 2)}, 2, DeviceRate);
    };
    EXPECT_NEAR(frequency(runs[0]), 440.0, 3.0);
    EXPECT_NEAR(frequency(runs[1]), 880.0, 3.0);
    EXPECT_NEAR(seconds(runs[0].last - runs[0].first), 0.5, 0.01);
    EXPECT_NEAR(seconds(runs[1].last - runs[1].first), 1.0, 0.01);
    // The pause starts when the line's last frame has been heard and ends with the next period
    // of the device after the timer. The driver writes a 10 ms period, then sleeps 10 ms, so its
    // stream runs a little slower than the clock: the 300 ms came out as 280–310 ms of frames
    // at a load of 5 on two cores. A loaded machine (the sanitizer build beside other tests)
    // oversleeps more and fires the timer later, so the bounds allow for that both ways.
    const double gap = seconds(runs[1].first - runs[0].last);
    EXPECT_GE(gap, 0.24);
    EXPECT_LE(gap, 0.40);
}

// While the translation is hidden, the picture follows the end of the current line.
TEST_F(TextWorkSessionTest, PictureChangesWithTheCurrentLine)
{
    open("user5.wav");
    QSignalSpy pictures(session.get(), &TextWorkSession::pictureChanged);
    EXPECT_EQ(session->startPicture(), "pics\\p1.jpg");

    session->setCurrentIndex(2); // ends at 1000: picture 1
    session->tick();
    session->setCurrentIndex(3); // ends at 2000: picture 3
    session->tick();
    session->tick();
    session->translationBoxClicked(true);
    session->setCurrentIndex(2);
    session->tick();
    session->translationBoxClicked(false);
    session->learnerBoxClicked(true); // the learner's line 2 ends at 2000
    session->tick();

    ASSERT_EQ(pictures.count(), 2);
    EXPECT_EQ(pictures[0][0].toString(), "pics\\p1.jpg");
    EXPECT_EQ(pictures[1][0].toString(), "pics\\p3.jpg");
    EXPECT_EQ(session->currentPicture(), 3);
}

struct ShortTextCase {
    const char *name;
    QList<QString> text;
    QList<QString> timing;
    bool plays;
    int position;
};

class TextWorkShortText : public TextWorkSessionTest, public ::testing::WithParamInterface<ShortTextCase> {};

// "С начала" needs two lines; one line plays from itself, none plays nothing.
TEST_P(TextWorkShortText, PlayAllStaysInsideTheText)
{
    const ShortTextCase &c = GetParam();
    QByteArray text;
    for (const QString &line : c.text)
        text += cp1251(line) + "\r\n";
    course.writeBytes("text.txt", text);
    QByteArray timing;
    for (const QString &line : c.timing)
        timing += cp1251(line) + "\r\n";
    course.writeBytes("time.txt", timing);
    sources.learnerRecording.clear();
    session = std::make_unique<TextWorkSession>(device, learnerDevice, sources);
    session->load();

    session->playAll();
    EXPECT_EQ(session->playing(), c.plays);
    if (c.plays) {
        EXPECT_EQ(device.Position(), c.position);
    }
    run(5000);

    EXPECT_LE(session->currentIndex(), std::max(1, session->lineCount()));
    EXPECT_FALSE(session->playing());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextWorkShortText,
    ::testing::Values(ShortTextCase{"Empty", {}, {}, false, 0},
                      ShortTextCase{"OneLine", {"Only."}, {"200\t900"}, true, 200},
                      // The timing file is longer than the text: read up to the text's end.
                      ShortTextCase{"TimingLongerThanText", {"#T", "A.", "B."}, {"#", "0\t100", "100\t200", "200\t300", "300\t400"}, true, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// A fragment reaching past the end of the sound starts nothing and announces nothing:
// the window must not stay with every button disabled, nor loop on it.
TEST_F(TextWorkSessionTest, PlaybackThatCannotStartEndsAtOnce)
{
    writeRampWav(course.absolute("short.wav"), 8000, 1, 8000 * 3 / 2);
    sources.courseSound = "short.wav";
    open();
    for (int line : {5, 6}) {
        session->setCurrentIndex(line);
        session->mark();
    }

    session->playLoop();

    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->loopSelection());
    EXPECT_FALSE(device.opened());
    EXPECT_EQ(session->controls(), idle());
}

} // namespace

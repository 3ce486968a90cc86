#include "listening/ListenTranslateSession.h"
#include "listening/RecordingLeftovers.h"
#include "core/LocalProcess.h"
#include "sound/RecordingSpool.h"
#include "sound/VirtualAudioBackend.h"
#include "support/ChildProcess.h"
#include "TextWorkCourse.h"

#include <QDir>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

namespace {

constexpr int TemplateRate = 22050;

// GIVEN the six-line listening text (a title, two syntagms, a separator, two syntagms; the
// syntagms end at 1000, 2000, 3000 and 4000 ms of a five-second sound), the recording
// template, a virtual card and a session of the given kind on two devices.
class ListenTranslateSessionTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;
    SoundDevice player{card};
    SoundDevice recorder{card};
    std::unique_ptr<ListenTranslateSession> session;
    QStringList pictures;
    QStringList messages;

    void SetUp() override
    {
        writeTextWork(course);
        writeWav(course.absolute("TSBegin.wav"), TemplateRate, 1, {});
        card.setMicrophone([](qint64 frame, int) { return qint16(1 + frame % 1000); });
    }

    void open(const QString &recording, bool wait = false, bool textAllowed = true)
    {
        ListenTranslateSettings settings = listenTranslateSettings(recording);
        settings.textAllowed = textAllowed;
        settings.waitOffered = wait;
        settings.pictureFolder = QStringLiteral("pics\\");
        session = std::make_unique<ListenTranslateSession>(player, recorder, settings);
        QObject::connect(&player, &SoundDevice::OnNotify, session.get(), &ListenTranslateSession::playerNotified);
        QObject::connect(&recorder, &SoundDevice::OnNotify, session.get(), &ListenTranslateSession::recorderNotified);
        QObject::connect(session.get(), &ListenTranslateSession::pictureChanged,
                         [this](const QString &path) { pictures << path; });
        QObject::connect(session.get(), &ListenTranslateSession::messageWanted,
                         [this](const QString &text, const QString &, int) { messages << text; });
        ASSERT_TRUE(session->load());
        session->prepare(QSize(300, 200));
    }

    // A recording no save can write (a folder stands in its place), whose failure is told in
    // a message that waits, as a modal window does, while what comes meanwhile is handled.
    void openUnsavableWithWaitingMessages()
    {
        ASSERT_TRUE(QDir().mkpath("Report/Ann/Ann5.wav"));
        open(QStringLiteral("Report\\Ann\\Ann5.wav"));
        QObject::connect(session.get(), &ListenTranslateSession::messageWanted, [] { QCoreApplication::sendPostedEvents(); });
    }

    // Moves the clock on in steps of the window's timer, ticking while the timer runs.
    void runFor(int ms)
    {
        for (int t = 0; t < ms; t += 50) {
            card.advance(50);
            if (session->timerActive())
                session->tick();
        }
    }
};

TEST_F(ListenTranslateSessionTest, AWaitKindRunLeavesOneCueLinePerTextLine)
{
    open(QStringLiteral("rec5.wav"), true);
    session->start(true, false);
    runFor(14900);
    EXPECT_TRUE(session->playing()) << "recording goes on for 10 s after the text's end";
    runFor(300);
    EXPECT_FALSE(session->playing());
    EXPECT_TRUE(session->controls().start);
    EXPECT_FALSE(player.opened()) << "the recorder's notification closed both devices";
    EXPECT_FALSE(recorder.opened());

    // Each syntagm ends at the first tick that finds the sound past its end (1050 ms, …); the
    // recording counts whole frames of 22050 Hz, so its position then reads 1049 ms.
    EXPECT_EQ(course.readBytes("rec5.txt").toStdString(), "#\t#\r\n"
                                                          "0\t1049\r\n"
                                                          "1049\t2049\r\n"
                                                          "#\t#\r\n"
                                                          "2049\t3049\r\n"
                                                          "3049\t15049\r\n");
    const WavContents saved = readWavContents(course.absolute("rec5.wav"));
    ASSERT_TRUE(saved.readable);
    EXPECT_EQ(saved.rate, TemplateRate);
    EXPECT_EQ(saved.channels, 1);
    EXPECT_EQ(saved.frames(), 15050 * TemplateRate / 1000);
    EXPECT_EQ(pictures, (QStringList{"pics\\p1.jpg", "pics\\p3.jpg", "pics\\p1.jpg"}))
        << "the first picture when prepared, the story's next one, the first again at the stop";
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(QDir().entryList({"*.rec"}, QDir::Files | QDir::Hidden), QStringList()) << "no safety copy is left";
}

TEST_F(ListenTranslateSessionTest, AnEarlyStopLeavesCueLinesUpToTheSyntagmReached)
{
    course.writeLines("rec5.txt", {"#\told"});
    open(QStringLiteral("rec5.wav"), true);
    session->start(false, false);
    runFor(1500);
    session->stop();
    runFor(100);
    EXPECT_EQ(course.readBytes("rec5.txt").toStdString(), "#\t#\r\n0\t1049\r\n1049\t1500\r\n");
    EXPECT_FALSE(QFile::exists(course.absolute("rec5.txt.part")));
}

// The sound server dies two seconds into a recorded run: once the devices have been silent a
// second the run ends as "Стоп" ends it, keeping the two seconds recorded and the cue lines
// reached, the window is idle and the learner is told once.
TEST_F(ListenTranslateSessionTest, ALostServerStopsTheRunAndKeepsWhatWasRecorded)
{
    open(QStringLiteral("rec5.wav"), true);
    session->start(false, false);
    runFor(2000);

    card.stopServer();
    runFor(950);
    EXPECT_TRUE(session->playing());
    runFor(100);
    EXPECT_FALSE(session->playing());
    EXPECT_FALSE(session->timerActive());
    EXPECT_TRUE(session->controls().start);
    EXPECT_TRUE(session->controls().exit);
    EXPECT_FALSE(session->controls().stop);
    EXPECT_FALSE(player.opened());
    EXPECT_FALSE(recorder.opened());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Нет устройства воспроизведения звука")});

    EXPECT_EQ(readWavContents(course.absolute("rec5.wav")).frames(), 2 * TemplateRate);
    EXPECT_EQ(course.readBytes("rec5.txt").toStdString(), "#\t#\r\n0\t1049\r\n1049\t2000\r\n");
    EXPECT_EQ(QDir().entryList({"*.rec"}, QDir::Files | QDir::Hidden), QStringList()) << "no safety copy is left";
}

// The server dies and the recording cannot be saved: the other device's loss arrives while
// the save's failure is told; the failure and the loss are each told once, as a loss
// without a failed save is.
TEST_F(ListenTranslateSessionTest, BothDevicesLostWithAFailedSaveAreToldOnce)
{
    openUnsavableWithWaitingMessages();
    session->start(false, false);
    runFor(2000);
    card.stopServer();
    runFor(1500);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(messages, (QStringList{QStringLiteral("Запись не удалось сохранить в файл Report\\Ann\\Ann5.wav."),
                                     QStringLiteral("Нет устройства воспроизведения звука")}));
    EXPECT_FALSE(session->timerActive());
    EXPECT_TRUE(session->controls().start);

    // A later run's loss is told again.
    ASSERT_TRUE(QDir().rmdir("Report/Ann/Ann5.wav"));
    card.startServer();
    messages.clear();
    session->start(false, false);
    runFor(500);
    card.stopServer();
    runFor(1500);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Нет устройства воспроизведения звука")});
}

TEST_F(ListenTranslateSessionTest, WithoutRecordingTheEndOfTheTextStopsAtOnceAndNothingIsWritten)
{
    open(QString());
    EXPECT_EQ(session->startLabel(), QStringLiteral("Слушать"));
    session->start(true, false);
    EXPECT_EQ(session->progressMax(), 5);
    runFor(4950);
    EXPECT_TRUE(session->playing());
    EXPECT_EQ(session->progressPosition(), 4);
    runFor(100);
    EXPECT_FALSE(session->playing());
    EXPECT_TRUE(session->stopped());
    // The idle window's progress bar is back at 0, and stays there while the timer runs on.
    runFor(200);
    EXPECT_EQ(session->progressPosition(), 0);
    EXPECT_TRUE(session->controls().start);
    EXPECT_TRUE(session->controls().exit);
    EXPECT_TRUE(session->controls().textBox);
    QStringList sounds = QDir::current().entryList({"*.wav"}, QDir::Files);
    sounds.sort();
    EXPECT_EQ(sounds, (QStringList{"TSBegin.wav", "text.wav", "user5.wav"}));
    EXPECT_EQ(QDir::current().entryList({"*.part", "*.tmp"}, QDir::Files), QStringList());
}

TEST_F(ListenTranslateSessionTest, AWaitLongerThanTheSyntagmAndTwentySecondsEndsByItself)
{
    open(QStringLiteral("rec5.wav"), true);
    session->start(false, false);
    runFor(600); // syntagm 2 runs from 500 to 1000 ms
    session->waitClicked();
    EXPECT_EQ(session->waitLabel(), QStringLiteral("Далее"));
    EXPECT_FALSE(session->controls().pause);
    const qint32 held = player.Position();
    runFor(20500);
    EXPECT_TRUE(session->waiting());
    EXPECT_EQ(player.Position(), held);
    runFor(50);
    EXPECT_FALSE(session->waiting());
    EXPECT_EQ(session->waitLabel(), QStringLiteral("Подождать"));
    EXPECT_TRUE(session->controls().pause);
    runFor(200);
    EXPECT_GT(player.Position(), held) << "the course sound resumes";
}

// The first recording has an end: twice the sound and 10 s per display line. A pause takes
// it away. Two long waits carry the recording past that end.
TEST_F(ListenTranslateSessionTest, AfterAPauseTheRecordingHasNoEndLimit)
{
    for (const bool pause : {false, true}) {
        open(QStringLiteral("rec5.wav"), true);
        session->start(false, false);
        runFor(100);
        if (pause) {
            session->pauseClicked();
            EXPECT_EQ(session->pauseLabel(), QStringLiteral("Далее"));
            EXPECT_FALSE(session->controls().wait);
            session->pauseClicked();
        }
        const qint32 limit = session->firstRecordingLimit();
        while (recorder.Position() < limit + 1000 && recorder.Mode() == SoundMode::Recording) {
            if (!session->waiting())
                session->waitClicked();
            runFor(50);
        }
        EXPECT_EQ(recorder.Mode(), pause ? SoundMode::Recording : SoundMode::Stopped) << "pause " << pause;
        session->leave();
    }
}

// With the course sound slowed to half speed, the first recording's end moves by the time the
// sound takes longer to hear, twice over.
TEST_F(ListenTranslateSessionTest, ASlowedSoundLengthensTheFirstRecordingsEnd)
{
    open(QStringLiteral("rec5.wav"), true);
    session->start(false, false);
    const qint32 atFullSpeed = session->firstRecordingLimit();
    player.setSpeedPercent(50);
    EXPECT_EQ(session->firstRecordingLimit() - atFullSpeed, 2 * player.Length());
    session->leave();
}

// Slowed while the first recording runs, the course sound takes longer to hear from then on:
// that recording's end moves as well, and the learner's long waits are still recorded.
TEST_F(ListenTranslateSessionTest, SlowingTheSoundDuringTheRunMovesTheFirstRecordingsEnd)
{
    open(QStringLiteral("rec5.wav"), true);
    session->start(false, false);
    const qint32 atFullSpeed = session->firstRecordingLimit();
    runFor(500);
    player.setSpeedPercent(50);
    session->speedChanged();
    for (int i = 0; i < 200 && recorder.Position() < atFullSpeed + 1000; ++i) {
        if (!session->waiting())
            session->waitClicked();
        runFor(1000);
    }
    EXPECT_TRUE(recorder.recording()) << "at " << recorder.Position() << " ms";
    EXPECT_GT(recorder.Position(), atFullSpeed);
    session->leave();
}

TEST_F(ListenTranslateSessionTest, AnEmptyCourseSoundStopsAtOnceWithoutDividingByItsLength)
{
    writeWav(course.absolute("text.wav"), 8000, 1, {});
    open(QString());
    session->start(true, false);
    runFor(200);
    EXPECT_FALSE(session->playing());
    EXPECT_EQ(session->progressMax(), 0);
    EXPECT_EQ(session->text().scrollOffset(), 0);
}

TEST_F(ListenTranslateSessionTest, ARecordingThatCannotBeSavedIsReportedAndRecoveredLater)
{
    // A folder where the recording should be makes every save of it fail.
    ASSERT_TRUE(QDir().mkpath("Report/Ann/Ann5.wav"));
    open(QStringLiteral("Report\\Ann\\Ann5.wav"));
    session->start(false, false);
    runFor(1000);
    session->stop();
    runFor(100);
    ASSERT_EQ(messages.size(), 1) << "one message, not one per save";
    EXPECT_EQ(messages[0], QStringLiteral("Запись не удалось сохранить в файл Report\\Ann\\Ann5.wav."));
    session.reset();
    const QStringList copies = QDir("Report/Ann").entryList({".Ann5.wav.*.rec"}, QDir::Files | QDir::Hidden);
    ASSERT_EQ(copies.size(), 1) << "the safety copy stays beside the recording";

    // The way is free again: the recovery moves the copy into the recording.
    ASSERT_TRUE(QDir().rmdir("Report/Ann/Ann5.wav"));
    EXPECT_TRUE(RecordingLeftovers::recoverAfterRun(QStringLiteral("Report\\Ann\\Ann5.wav")));
    const WavContents saved = readWavContents(course.absolute("Report/Ann/Ann5.wav"));
    EXPECT_EQ(saved.frames(), framesForMs(1000, TemplateRate));
    EXPECT_EQ(QDir("Report/Ann").entryList(QDir::Files | QDir::Hidden), QStringList{"Ann5.wav"});
}

// The failed save's message waits, as a modal window does, while the devices' end
// notifications arrive: afterwards the window is idle with its picture back, not left
// stopping with an empty panel and a timer that runs on.
TEST_F(ListenTranslateSessionTest, AFailedSaveToldInAWaitingMessageLeavesTheWindowIdle)
{
    openUnsavableWithWaitingMessages();
    session->start(false, false);
    runFor(1000);
    session->stop();
    runFor(100);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(session->controls().start);
    EXPECT_FALSE(session->timerActive());
    EXPECT_FALSE(recorder.opened());
    EXPECT_EQ(session->panels(), (ListenTranslateSession::Panels{true, false, true, false}));
}

// After a run, only this run's copy is recovered, and only into a recording without sound.
TEST(RecordingLeftoversTest, AfterARunOnlyThisRunsCopyFillsARecordingWithoutSound)
{
    TempCourse course;
    const QString kept = RecordingSpool::nameFor("kept.wav");
    writeWav(course.absolute(kept), 8000, 1, std::vector<qint16>(80, 5));
    writeWav(course.absolute(RecordingSpool::nameFor("template.wav")), 8000, 1, std::vector<qint16>(160, 7));
    writeWav(course.absolute(".empty.wav.1.rec"), 8000, 1, std::vector<qint16>(160, 7));
    writeWav(course.absolute("kept.wav"), 8000, 1, std::vector<qint16>(40, 1));
    writeWav(course.absolute("template.wav"), 8000, 1, {});
    course.writeBytes("empty.wav", {});

    EXPECT_FALSE(RecordingLeftovers::recoverAfterRun("kept.wav")) << "a recording with sound is never replaced";
    EXPECT_EQ(readWavContents(course.absolute("kept.wav")).frames(), 40);
    EXPECT_TRUE(RecordingLeftovers::recoverAfterRun("template.wav"));
    EXPECT_EQ(readWavContents(course.absolute("template.wav")).frames(), 160);
    EXPECT_FALSE(RecordingLeftovers::recoverAfterRun("empty.wav")) << "another run's copy is not this run's";
    EXPECT_EQ(QDir().entryList({"*.rec"}, QDir::Files | QDir::Hidden), (QStringList{".empty.wav.1.rec", kept}));
}

// A safety copy's name as a copy of the program on `host` writes it.
QString copyName(const QString &recording, qint64 process, const QString &host, const QByteArray &boot)
{
    return "." + recording + "." + QString::number(process) + "@" + host + "@" + QString::fromLatin1(boot) + ".rec";
}

// At the next start, a copy an ended run left becomes the recording when that is missing or
// older, else a second file; the cue file begun with it is finished; a copy of this run stays.
TEST(RecordingLeftoversTest, CopiesOfAnEndedRunAreRecoveredOrKeptNeverLost)
{
    TempCourse course;
    QDir().mkpath("Report/Ann");
    const qint64 ended = endedProcess();
    const QString host = RecordingSpool::hostInName(QSysInfo::machineHostName());
    const QByteArray boot = LocalProcess::bootId().left(8);
    writeWav(course.absolute("Report/Ann/Ann3.wav"), 8000, 1, std::vector<qint16>(40, 1)); // older
    QFile old(course.absolute("Report/Ann/Ann3.wav"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    old.close();
    // A copy whose disk filled up: its header tells 2000 frames more than the file holds.
    const QString ann3 = "Report/Ann/" + copyName("Ann3.wav", ended, host, boot);
    writeWav(course.absolute(ann3), 8000, 1, std::vector<qint16>(14000, 7));
    QFile::resize(course.absolute(ann3), 44 + 12000 * 2);
    course.writeBytes("Report/Ann/Ann3.txt.part", "#\t#\r\n0\t500\r\n");
    // An earlier version's name, which holds the process alone.
    writeWav(course.absolute(QString("Report/Ann/.Ann4.wav.%1.rec").arg(ended)), 8000, 1, std::vector<qint16>(8000, 7));
    writeWav(course.absolute("Report/Ann/Ann4.wav"), 8000, 1, std::vector<qint16>(40, 1)); // newer
    // What an earlier process of the same id left is kept too.
    const QString keptBefore = QStringLiteral("Report/Ann/Ann4 (прервана %1).wav").arg(ended);
    writeWav(course.absolute(keptBefore), 8000, 1, std::vector<qint16>(20, 1));
    writeWav(course.absolute("Report/Ann/" + copyName("Ann5.wav", ended, host, boot)), 8000, 1, {}); // nothing recorded
    const QString mine = RecordingSpool::nameFor("Ann6.wav");
    writeWav(course.absolute("Report/Ann/" + mine), 8000, 1, std::vector<qint16>(80, 7));

    const QList<RecordingLeftovers::Interrupted> found = RecordingLeftovers::recoverInterrupted("Report\\Ann\\");
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].recording, QStringLiteral("Ann3.wav"));
    EXPECT_DOUBLE_EQ(found[0].seconds, 1.5);
    EXPECT_EQ(found[0].keptAs, QString());
    EXPECT_EQ(found[1].recording, QStringLiteral("Ann4.wav"));
    const QString keptAs = QStringLiteral("Ann4 (прервана %1-2).wav").arg(ended);
    EXPECT_EQ(found[1].keptAs, keptAs);

    EXPECT_EQ(readWavContents(course.absolute("Report/Ann/Ann3.wav")).frames(), 12000);
    EXPECT_EQ(QFileInfo(course.absolute("Report/Ann/Ann3.wav")).size(), 44 + 12000 * 2) << "the header fits the data";
    EXPECT_EQ(course.readBytes("Report/Ann/Ann3.txt"), QByteArray("#\t#\r\n0\t500\r\n"));
    EXPECT_EQ(readWavContents(course.absolute("Report/Ann/Ann4.wav")).frames(), 40);
    EXPECT_EQ(readWavContents(course.absolute("Report/Ann/" + keptAs)).frames(), 8000);
    EXPECT_EQ(readWavContents(course.absolute(keptBefore)).frames(), 20);
    EXPECT_EQ(QDir("Report/Ann").entryList({"*.rec", "*.part"}, QDir::Files | QDir::Hidden), QStringList{mine});
}

// Copies of the program on this computer and on others work in one course folder at once:
// the copies of those that run are left to them, whatever the name's form; those of copies
// that ended here, or ran before the computer was last started, are recovered.
TEST(RecordingLeftoversTest, OnlyTheCopiesOfEndedProcessesOfThisComputerAreRecovered)
{
    TempCourse course;
    const WaitingChild child;
    const qint64 running = child.pid();
    const qint64 ended = endedProcess();
    const QString host = RecordingSpool::hostInName(QSysInfo::machineHostName());
    const QByteArray boot = LocalProcess::bootId().left(8);
    QByteArray earlierBoot = boot;
    earlierBoot[0] = boot[0] == '0' ? '1' : '0';
    const QStringList left{copyName("a.wav", running, host, boot), copyName("b.wav", ended, "pc7", boot),
                           QString(".c.wav.%1.rec").arg(running)};
    const QStringList recovered{copyName("d.wav", ended, host, boot), copyName("e.wav", running, host, earlierBoot),
                                QString(".f.wav.%1.rec").arg(ended)};
    for (const QString &name : left + recovered)
        writeWav(course.absolute(name), 8000, 1, std::vector<qint16>(80, 7));

    QStringList recordings;
    for (const RecordingLeftovers::Interrupted &found : RecordingLeftovers::recoverInterrupted(QString()))
        recordings << found.recording;
    EXPECT_EQ(recordings, (QStringList{"d.wav", "e.wav", "f.wav"}));
    QStringList stay = left;
    stay.sort();
    EXPECT_EQ(QDir().entryList({"*.rec"}, QDir::Files | QDir::Hidden), stay);
}

// Five minutes of text on the virtual clock: the saved recording is exactly as long as the
// time it recorded, to the frame.
TEST_F(ListenTranslateSessionTest, AFiveMinuteRecordingHasNoGapOrDrift)
{
    writeRampWav(course.absolute("text.wav"), 8000, 1, 300 * 8000);
    open(QStringLiteral("rec5.wav"));
    session->start(false, false);
    runFor(300000);
    session->stop();
    const qint32 recorded = recorder.Position();
    EXPECT_EQ(recorded, 300000);
    runFor(50);
    const WavContents saved = readWavContents(course.absolute("rec5.wav"));
    ASSERT_EQ(saved.frames(), framesForMs(recorded, TemplateRate));
    // The microphone's frames, one after the other, none lost or doubled.
    for (qint64 f = 0; f < saved.frames(); f += 997)
        ASSERT_EQ(saved.samples[size_t(f)], qint16(1 + f % 1000)) << f;
}

} // namespace

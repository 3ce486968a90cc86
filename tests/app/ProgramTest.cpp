// The real program in a child process, on a small course folder of its own.
#include "course/Catalogue.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"
#include "users/Progress.h"
#include "users/UserList.h"
#include "users/UserRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QByteArray userList(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        UserRecord user;
        user.setName(QStringLiteral("Learner %1").arg(i));
        user.setReg(u'A');
        bytes += user.bytes();
    }
    return bytes;
}

// A course the program opens without a message: four catalogues (a root heading, an
// exercise of `kind` and `more` vocabulary drills), the course font, and the intro music
// when asked for.
void writeCourse(const TempCourse &course, bool withMusic, int kind = KindVocabularyDrill, int more = 0)
{
    QByteArray catalogue = cp1251(QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t\r\n"));
    catalogue += cp1251(QStringLiteral("Упражнение\t1\t1\t2\t\t%1\t\t\t\t\t\r\n").arg(kind));
    for (const char *file : {"InitRegB.txt", "InitRegC.txt", "InitRegD.txt"})
        course.writeBytes(file, catalogue);
    // Mode A, a new learner's, is the large one.
    for (int k = 0; k < more; ++k)
        catalogue += cp1251(QStringLiteral("Слова %1\t1\t1\t2\t\t2\t\t\t\t\t\r\n").arg(k));
    course.writeBytes("InitRegA.txt", catalogue);
    const QString sample = QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR);
    QFile::copy(sample + "/NFREESET.TTF", course.absolute("NFREESET.TTF"));
    if (withMusic)
        QFile::copy(sample + "/music.wav", course.absolute("music.wav"));
    QDir().mkdir("Report");
}

class Program {
public:
    explicit Program(const TempCourse &course, QStringList options = {}, rlim_t fileLimit = RLIM_INFINITY,
                     const QMap<QString, QString> &settings = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        for (auto setting = settings.begin(); setting != settings.end(); ++setting)
            environment.insert(setting.key(), setting.value());
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(course.root());
        if (fileLimit != RLIM_INFINITY) {
            // Files of the program may not grow past the limit, as on a nearly full disk. The
            // limit's signal is left as it comes: the program itself must not die of it.
            process_.setChildProcessModifier([fileLimit] {
                std::signal(SIGXFSZ, SIG_DFL);
                const rlimit limit{fileLimit, fileLimit};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process_.start(QStringLiteral(VESTORIA_PROGRAM), options << "--trace-windows");
    }
    ~Program()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Waits until the window of that object name has appeared.
    bool waitForWindow(const QByteArray &name) { return waitForLine("shown " + name); }
    bool waitForLine(const QByteArray &wanted)
    {
        return waitFor([&](const QByteArray &line) { return line == wanted; });
    }
    // Waits until the program has printed a line that `fits`; the lines are kept in seen().
    bool waitFor(const std::function<bool(const QByteArray &)> &fits)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000) {
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine().trimmed();
                seen_.append(line);
                if (fits(line))
                    return true;
            }
            if (process_.state() == QProcess::NotRunning)
                return false;
            process_.waitForReadyRead(20);
        }
        return false;
    }
    // Every line printed so far, after the ones still unread are taken.
    const QByteArrayList &seen()
    {
        process_.waitForReadyRead(0);
        while (process_.canReadLine())
            seen_.append(process_.readLine().trimmed());
        return seen_;
    }
    // A command on the program's standard input ("key Return", "text Ann", "click okButton").
    void send(const QByteArray &command)
    {
        process_.write(command + '\n');
        process_.waitForBytesWritten(5000);
    }
    // Sends the command and waits for the window it opens.
    bool sendAndWait(const QByteArray &command, const QByteArray &window)
    {
        send(command);
        return waitForWindow(window);
    }

    void signal(int number) { ::kill(pid_t(process_.processId()), number); }
    qint64 pid() const { return process_.processId(); }

    // The exit status, or -1 when the program did not end by itself (a signal killed it).
    int finish()
    {
        process_.waitForFinished(30000);
        if (process_.state() != QProcess::NotRunning || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }

    QString errors() { return QString::fromUtf8(process_.readAllStandardError()); }

private:
    QProcess process_;
    QByteArrayList seen_;
};

struct Moment {
    const char *window;
    QStringList options;
    bool withMusic;
    int signal;
};

// The end-of-run save proves the shutdown ran: a user list with a damaged tail is written
// back whole, and the damaged file is kept beside it.
TEST(Program, EndsCleanlyOnASignalAtEveryMoment)
{
    const Moment moments[] = {
        {"messageWindow", {}, false, SIGTERM}, // "Звуковой файл не найден: music.wav" waits for OK
        {"introWindow", {}, true, SIGINT},     // the intro music plays
        {"mainWindow", {"--no-intro"}, false, SIGHUP},
    };
    for (const Moment &moment : moments) {
        TempCourse course;
        writeCourse(course, moment.withMusic);
        const QByteArray whole = userList(2);
        course.writeBytes("Users.eng", whole + "tail");
        Program program(course, moment.options);
        ASSERT_TRUE(program.waitForWindow(moment.window)) << moment.window;
        program.signal(moment.signal);
        EXPECT_EQ(program.finish(), 0) << moment.window;
        EXPECT_EQ(course.readBytes("Users.eng"), whole) << moment.window;
        EXPECT_EQ(course.readBytes("Users.eng.damaged"), whole + "tail") << moment.window;
    }
}

TEST(Program, ASaveThatFailsAtTheEndIsToldOnStandardErrorAndTheOldFileStays)
{
    TempCourse course;
    writeCourse(course, false);
    const QByteArray users = userList(2); // 1120 bytes, over the limit below
    course.writeBytes("Users.eng", users);
    Program program(course, {"--no-intro"}, 1000);
    ASSERT_TRUE(program.waitForWindow("mainWindow"));
    program.signal(SIGTERM);
    EXPECT_EQ(program.finish(), 1);
    const QString errors = program.errors();
    EXPECT_TRUE(errors.contains(QStringLiteral("Не удалось сохранить файл: файл превысил допустимый размер")) &&
                errors.contains(QStringLiteral("Users.eng")))
        << errors.toStdString();
    EXPECT_EQ(course.readBytes("Users.eng"), users);
    EXPECT_EQ(QDir(".").entryList({"*Users.eng*"}, QDir::Files | QDir::Hidden), QStringList{"Users.eng"})
        << "neither a temporary file nor the lock is left";
}

// Killed at varied moments while it saves at its end (the damaged list copied aside, then
// the list rewritten): every file is whole, with its old content or its new.
TEST(Program, KilledDuringSavesLeavesEveryFileWholeOldOrNew)
{
    TempCourse course;
    writeCourse(course, false);
    const QByteArray whole = userList(2000);
    const QByteArray damaged = whole + "tail";

    auto round = [&](const std::function<void(Program &)> &end) {
        for (const QString &left : QDir(".").entryList({".Users.eng*"}, QDir::Files | QDir::Hidden))
            QFile::remove(left);
        QFile::remove("Users.eng.damaged");
        course.writeBytes("Users.eng", damaged);
        Program program(course, {"--no-intro"});
        EXPECT_TRUE(program.waitForWindow("mainWindow"));
        end(program);
    };
    // How long the program takes from the signal to its end, saves included.
    QElapsedTimer ending;
    round([&](Program &program) {
        ending.start();
        program.signal(SIGTERM);
        EXPECT_EQ(program.finish(), 0);
    });
    const qint64 endingUs = qMax<qint64>(ending.nsecsElapsed() / 1000, 1000);

    const int rounds = 50;
    int old = 0;
    for (int i = 0; i < rounds; ++i) {
        round([&](Program &program) {
            program.signal(SIGTERM);
            ::usleep(useconds_t(endingUs * i / (rounds - 1)));
            program.signal(SIGKILL);
            program.finish();
        });
        const QByteArray users = course.readBytes("Users.eng");
        EXPECT_TRUE(users == damaged || users == whole) << "round " << i << ": " << users.size() << " bytes";
        if (QFile::exists("Users.eng.damaged")) {
            EXPECT_EQ(course.readBytes("Users.eng.damaged"), damaged) << "round " << i;
        }
        if (users == whole) {
            EXPECT_TRUE(QFile::exists("Users.eng.damaged")) << "round " << i << ": the copy is made first";
        }
        old += users == damaged;
    }
    std::printf("%d of %d rounds ended with the old list, the others with the new\n", old, rounds);
}

// The learner's part, through the windows: "Новое имя", the name, confirmed.
bool createLearner(Program &program, const QByteArray &name)
{
    if (!program.sendAndWait("click newUserButton", "newUserDialog"))
        return false;
    program.send("text " + name);
    program.send("key Return");
    return true;
}

// The listening exercise below the course's root run and left at once ("Выход"), then
// marked done in the end dialog. Its text files are missing: the window says so first.
bool markListening(Program &program)
{
    program.send("key Down");
    return program.sendAndWait("key Return", "messageWindow") &&
           program.sendAndWait("key Return", "listenTranslateWindow") &&
           program.sendAndWait("key Escape", "exerciseEndDialog") && (program.send("key Space"), true);
}

bool isSaveOf(const QByteArray &line, const QByteArray &file)
{
    return line.startsWith("saved ") && line.endsWith(file);
}

bool sawSaveOf(Program &program, const QByteArray &file)
{
    const QByteArrayList &lines = program.seen();
    return std::any_of(lines.begin(), lines.end(), [&](const QByteArray &line) { return isSaveOf(line, file); });
}

QStringList learnerNames(const QByteArray &bytes)
{
    QList<UserRecord> users;
    usersFromBytes(bytes, users);
    QStringList names;
    for (const UserRecord &user : users)
        names << user.Name();
    return names;
}

// The learner's progress file as saved: 0 or 1 for the listening exercise's mark, -1 when
// the file is not a whole progress file of `entries` records.
int savedMark(const TempCourse &course, const QString &name, int entries)
{
    const QByteArray bytes = course.readBytes(QStringLiteral("Report/%1/%1.rep").arg(name));
    QList<ProgressRecord> records;
    if (bytes.size() != qsizetype(entries + 1) * ProgressRecord::Size || !progressFromBytes(bytes, entries, records))
        return -1;
    return records[2].Done() ? 1 : 0;
}

TEST(Program, ALearnerAndAMarkMadeThroughTheWindowsAreOnDiskBeforeAKill)
{
    TempCourse course;
    writeCourse(course, false, KindListenText);
    {
        Program program(course, {"--no-intro"});
        ASSERT_TRUE(program.waitForWindow("mainWindow"));
        ASSERT_TRUE(createLearner(program, "Ann"));
        ASSERT_TRUE(program.waitForLine("saved Users.eng"));
        ASSERT_TRUE(markListening(program));
        ASSERT_TRUE(program.waitFor([](const QByteArray &line) { return isSaveOf(line, "Ann.rep"); }));
        program.signal(SIGKILL);
        EXPECT_EQ(program.finish(), -1);
    }
    EXPECT_EQ(learnerNames(course.readBytes("Users.eng")), QStringList{"Ann"});
    EXPECT_EQ(savedMark(course, "Ann", 2), 1);

    // The killed copy's lock is taken over, and the learner can be chosen again.
    Program again(course, {"--no-intro"});
    ASSERT_TRUE(again.waitForWindow("mainWindow"));
    ASSERT_TRUE(again.sendAndWait("click selectUserButton", "selectUserDialog"));
    ASSERT_TRUE(again.sendAndWait("key Return", "passwordDialog"));
    again.send("key Return");
    again.signal(SIGTERM);
    EXPECT_EQ(again.finish(), 0);
    EXPECT_EQ(savedMark(course, "Ann", 2), 1);
    EXPECT_FALSE(again.seen().contains("shown messageWindow")) << "no error at the restart";
}

// Killed at varied moments while the work just made is being saved: a new learner (the
// list, and his fresh progress file of a course of 5,000 entries), then a mark in that
// file. Every file is whole, old or new, and what a save that had ended held is never lost.
TEST(Program, KilledWhileWorkIsSavedKeepsEveryFileWholeAndLosesNothingSaved)
{
    TempCourse course;
    constexpr int Entries = 5002;
    writeCourse(course, false, KindListenText, Entries - 2);
    QStringList learners;
    int killedBeforeTheSave = 0;

    // One round: a new learner, in odd rounds also a mark, killed `delayUs` after the last
    // key. Returns how long the program took from that key to the save's end when not killed.
    auto round = [&](int i, qint64 delayUs, bool kill) -> qint64 {
        const QByteArray name = "L" + QByteArray::number(i);
        const bool marking = i % 2 == 1;
        Program program(course, {"--no-intro"});
        EXPECT_TRUE(program.waitForWindow("mainWindow"));
        EXPECT_TRUE(createLearner(program, name));
        QElapsedTimer took;
        took.start();
        if (marking) {
            EXPECT_TRUE(program.waitForLine("saved Users.eng"));
            EXPECT_TRUE(markListening(program));
            took.start();
        }
        if (kill) {
            ::usleep(useconds_t(delayUs));
            program.signal(SIGKILL);
            program.finish();
        } else {
            EXPECT_TRUE(program.waitFor([&](const QByteArray &line) {
                return isSaveOf(line, marking ? name + ".rep" : QByteArray("Users.eng"));
            }));
        }
        const qint64 savedAfterUs = took.nsecsElapsed() / 1000;
        killedBeforeTheSave += kill && !sawSaveOf(program, marking ? name + ".rep" : QByteArray("Users.eng"));

        const QStringList now = learnerNames(course.readBytes("Users.eng"));
        EXPECT_TRUE(course.readBytes("Users.eng").size() % UserRecord::Size == 0) << "round " << i;
        EXPECT_TRUE(now == learners || now == learners + QStringList{QString::fromLatin1(name)})
            << "round " << i << ": " << now.join(u',').toStdString();
        if (marking || sawSaveOf(program, "Users.eng")) {
            EXPECT_EQ(now.size(), learners.size() + 1) << "round " << i << ": the saved learner is lost";
        }
        learners = now;
        if (now.contains(QString::fromLatin1(name))) {
            const int mark = savedMark(course, QString::fromLatin1(name), Entries);
            EXPECT_NE(mark, -1) << "round " << i << ": the progress file is not whole";
            if (marking && sawSaveOf(program, name + ".rep")) {
                EXPECT_EQ(mark, 1) << "round " << i << ": the saved mark is lost";
            }
        }
        if (!kill) {
            program.signal(SIGTERM);
            EXPECT_EQ(program.finish(), 0);
        }
        return savedAfterUs;
    };
    // How long the saves take, measured on a learner and a mark that are not killed.
    const qint64 learnerUs = round(-2, 0, false);
    const qint64 markUs = round(-1, 0, false);

    constexpr int Rounds = 50;
    for (int i = 0; i < Rounds; ++i) {
        const qint64 span = (i % 2 == 1 ? markUs : learnerUs) * 5 / 4;
        round(i, span * (i / 2) / (Rounds / 2 - 1), true);
    }
    std::printf("%d of %d rounds were killed before their save had ended\n", killedBeforeTheSave, Rounds);
}

// How far the program has read the file at `path`: the offset of the descriptor it has open
// on it, or -1.
qint64 readPosition(qint64 pid, const QString &path)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString &fd : QDir(fds).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds + u'/' + fd).symLinkTarget() != path)
            continue;
        QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        if (!info.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("pos:"))
                return line.mid(4).trimmed().toLongLong();
        }
    }
    return -1;
}

// A recording kind's course: the course sound, the template and the full-duplex check's sounds.
void writeRecordingCourse(const TempCourse &course, const std::function<std::vector<qint16>(int, double)> &tone)
{
    writeCourse(course, false, KindTranslate);
    QByteArray catalogue = course.readBytes("InitRegA.txt");
    catalogue.replace("\t13\t\t\t\t\t", "\t13\t\t\ttext.wav\t\t");
    course.writeBytes("InitRegA.txt", catalogue);
    writeWav(course.absolute("text.wav"), 22050, 1, tone(22050, 30));
    writeWav(course.absolute("Null.wav"), 22050, 1, tone(22050, 0.5));
    writeWav(course.absolute("NullRec.wav"), 22050, 1, {});
    writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
}

// Through the windows: a new learner "Ann", the recording exercise below the root run (its
// text files are missing: the window says so first) and its recording started.
bool startRecordingAsANewLearner(Program &program)
{
    if (!program.waitForWindow("mainWindow") || !createLearner(program, "Ann") ||
        !program.waitForLine("saved Users.eng"))
        return false;
    program.send("key Down");
    if (!program.sendAndWait("key Return", "messageWindow") || !program.sendAndWait("key Return", "listenTranslateWindow"))
        return false;
    program.send("click startButton");
    return true;
}

std::vector<qint16> tone(int rate, double seconds)
{
    std::vector<qint16> samples(size_t(rate * seconds));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = qint16(8000 * std::sin(2 * M_PI * 440 * double(i) / rate));
    return samples;
}

// The disk fills up while the learner translates (a file-size limit of 100 kB, 2.3 s of the
// recording): the save fails and says so, the safety copy is recovered with a header that
// fits its data, and the learner is told that the recording is partial.
TEST(Program, ARecordingWhoseDiskFillsUpIsKeptAsFarAsItGotAndToldPartial)
{
    TempCourse course;
    writeRecordingCourse(course, tone);
    Program program(course, {"--no-intro"}, 100000);
    ASSERT_TRUE(startRecordingAsANewLearner(program));
    ::usleep(4000000);
    ASSERT_TRUE(program.sendAndWait("click stopButton", "messageWindow")) << "the save failed";
    program.send("key Return");
    ASSERT_TRUE(program.sendAndWait("key Escape", "messageWindow")) << "the recording is partial";
    ASSERT_TRUE(program.sendAndWait("key Return", "exerciseEndDialog"));
    program.send("key Escape");
    program.signal(SIGTERM);
    EXPECT_EQ(program.finish(), 0);

    const WavContents kept = readWavContents(course.absolute("Report/Ann/Ann2.wav"));
    ASSERT_TRUE(kept.readable);
    EXPECT_GT(kept.frames(), 22050 * 2);
    EXPECT_EQ(QFileInfo(course.absolute("Report/Ann/Ann2.wav")).size(), 44 + kept.frames() * 2) << "header fits data";
    EXPECT_EQ(QDir("Report/Ann").entryList(QDir::Files | QDir::Hidden), (QStringList{"Ann.rep", "Ann2.wav"}));
}

// A recording exercise killed in the middle: the microphone is SDL's disk driver reading a
// tone from a file. At the restart the safety copy becomes the learner's recording, as long
// as what the microphone had given, and the learner is told; nothing is left over.
TEST(Program, ARecordingKilledMidwayIsRecoveredAtTheNextStart)
{
    TempCourse course;
    writeRecordingCourse(course, tone);
    constexpr int MicrophoneRate = 48000; // the disk driver's capture rate, 16-bit mono
    const std::vector<qint16> microphone = tone(MicrophoneRate, 60);
    course.writeBytes("mic.raw", QByteArray(reinterpret_cast<const char *>(microphone.data()),
                                            qsizetype(microphone.size() * 2)));
    const QString mic = course.absolute("mic.raw");
    const QMap<QString, QString> disk{{"SDL_AUDIODRIVER", "disk"},
                                      {"SDL_DISKAUDIOFILEIN", mic},
                                      {"SDL_DISKAUDIOFILE", "/dev/null"}};

    double fedSeconds = 0;
    {
        Program program(course, {"--no-intro"}, RLIM_INFINITY, disk);
        ASSERT_TRUE(startRecordingAsANewLearner(program));
        QElapsedTimer waited;
        waited.start();
        const auto copies = [] { return QDir("Report/Ann").entryList({"*.rec"}, QDir::Files | QDir::Hidden); };
        while (copies().isEmpty() && waited.elapsed() < 20000)
            ::usleep(20000);
        ASSERT_EQ(copies().size(), 1);
        ASSERT_TRUE(copies()[0].startsWith(QStringLiteral(".Ann2.wav.%1@").arg(program.pid()))) << "the run's own copy";
        ::usleep(2500000);
        program.signal(SIGSTOP); // what the microphone gave stays as it is read here
        fedSeconds = double(readPosition(program.pid(), mic)) / (MicrophoneRate * 2);
        program.signal(SIGKILL);
        program.finish();
    }
    ASSERT_GT(fedSeconds, 1.0);

    Program again(course, {"--no-intro"});
    ASSERT_TRUE(again.waitForWindow("mainWindow"));
    ASSERT_TRUE(again.sendAndWait("click selectUserButton", "selectUserDialog"));
    ASSERT_TRUE(again.sendAndWait("key Return", "passwordDialog"));
    ASSERT_TRUE(again.sendAndWait("key Return", "messageWindow")) << "the learner is told";
    again.send("key Return");
    again.signal(SIGTERM);
    EXPECT_EQ(again.finish(), 0);

    const WavContents recovered = readWavContents(course.absolute("Report/Ann/Ann2.wav"));
    ASSERT_TRUE(recovered.readable);
    EXPECT_NEAR(double(recovered.frames()) / recovered.rate, fedSeconds, 0.5);
    EXPECT_EQ(savedMark(course, "Ann", 2), 0) << "a recovery marks nothing done";
    EXPECT_EQ(QDir("Report/Ann").entryList(QDir::Files | QDir::Hidden), (QStringList{"Ann.rep", "Ann2.wav"}));
    EXPECT_EQ(QDir().entryList({"*.rec", "*.tmp", ".*.??????"}, QDir::Files | QDir::Hidden), QStringList());
}

// A class on one course folder: twenty copies start at once, each creates its learner in
// the shared list, marks an exercise and ends. Every learner is in the list with his mark,
// and no file is partial or left behind.
TEST(Program, TwentyCopiesOnOneCourseKeepEveryLearnerAndMark)
{
    TempCourse course;
    writeCourse(course, false, KindListenText);
    constexpr int Copies = 20;
    std::vector<std::unique_ptr<Program>> copies;
    for (int i = 0; i < Copies; ++i)
        copies.push_back(std::make_unique<Program>(course, QStringList{"--no-intro"}));
    auto name = [](int i) { return "L" + QByteArray::number(i); };
    for (auto &copy : copies)
        ASSERT_TRUE(copy->waitForWindow("mainWindow"));
    // The learners are made at the same moment in every copy.
    for (int i = 0; i < Copies; ++i)
        ASSERT_TRUE(copies[size_t(i)]->sendAndWait("click newUserButton", "newUserDialog"));
    for (int i = 0; i < Copies; ++i) {
        copies[size_t(i)]->send("text " + name(i));
        copies[size_t(i)]->send("key Return");
    }
    for (auto &copy : copies)
        ASSERT_TRUE(copy->waitForLine("saved Users.eng"));
    for (int i = 0; i < Copies; ++i) {
        ASSERT_TRUE(markListening(*copies[size_t(i)]));
        ASSERT_TRUE(copies[size_t(i)]->waitFor([&](const QByteArray &line) { return isSaveOf(line, name(i) + ".rep"); }));
    }
    EXPECT_TRUE(QFile::exists("Report/L0/L0.rep.lock")) << "each copy holds its learner";
    for (auto &copy : copies)
        copy->signal(SIGTERM);
    for (auto &copy : copies)
        EXPECT_EQ(copy->finish(), 0) << copy->errors().toStdString();

    QStringList names = learnerNames(course.readBytes("Users.eng"));
    EXPECT_EQ(course.readBytes("Users.eng").size(), Copies * UserRecord::Size);
    names.sort();
    QStringList expected;
    for (int i = 0; i < Copies; ++i)
        expected << QString::fromLatin1(name(i));
    expected.sort();
    EXPECT_EQ(names, expected);
    for (const QString &learner : expected)
        EXPECT_EQ(savedMark(course, learner, 2), 1) << learner.toStdString();
    QStringList left = QDir(".").entryList({".*", "*.lock"}, QDir::Files | QDir::Hidden);
    for (const QString &learner : expected)
        left += QDir("Report/" + learner).entryList({".*", "*.lock"}, QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList()) << "no temporary file or lock is left";
}

} // namespace

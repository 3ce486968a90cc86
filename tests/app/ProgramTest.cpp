// The real program in a child process, on a small course folder of its own.
#include "support/TempCourse.h"
#include "users/UserRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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

// A course the program opens without a message: four catalogues, the course font, and
// the intro music when asked for.
void writeCourse(const TempCourse &course, bool withMusic)
{
    const QString root = QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t");
    const QString exercise = QStringLiteral("Упражнение\t1\t1\t2\t\t2\t\t\t\t\t");
    for (const char *file : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt", "InitRegD.txt"})
        course.writeLines(file, {root, exercise});
    const QString sample = QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR);
    QFile::copy(sample + "/NFREESET.TTF", course.absolute("NFREESET.TTF"));
    if (withMusic)
        QFile::copy(sample + "/music.wav", course.absolute("music.wav"));
    QDir().mkdir("Report");
}

class Program {
public:
    explicit Program(const TempCourse &course, QStringList options = {}, rlim_t fileLimit = RLIM_INFINITY)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("SDL_AUDIODRIVER", "dummy");
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(course.root());
        if (fileLimit != RLIM_INFINITY) {
            // Files of the program may not grow past the limit, as on a nearly full disk.
            process_.setChildProcessModifier([fileLimit] {
                std::signal(SIGXFSZ, SIG_IGN);
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
    bool waitForWindow(const QByteArray &name)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000) {
            while (process_.canReadLine()) {
                if (process_.readLine().trimmed() == "shown " + name)
                    return true;
            }
            if (process_.state() == QProcess::NotRunning)
                return false;
            process_.waitForReadyRead(20);
        }
        return false;
    }

    void signal(int number) { ::kill(pid_t(process_.processId()), number); }

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

// Two copies on one course folder would each write back the list they read at their
// start. The second copy says that the course is open and ends without writing.
TEST(Program, ASecondCopyOnTheSameCourseSaysSoAndEnds)
{
    TempCourse course;
    writeCourse(course, false);
    const QByteArray damaged = userList(1) + "tail";
    course.writeBytes("Users.eng", damaged);
    Program first(course, {"--no-intro"});
    ASSERT_TRUE(first.waitForWindow("mainWindow"));

    Program second(course, {"--no-intro"});
    ASSERT_TRUE(second.waitForWindow("messageWindow"));
    second.signal(SIGTERM);
    EXPECT_EQ(second.finish(), 1);
    EXPECT_TRUE(second.errors().contains(QStringLiteral("Этот курс уже открыт в другой копии программы")));
    EXPECT_EQ(course.readBytes("Users.eng"), damaged) << "the second copy wrote nothing";
    EXPECT_FALSE(QFile::exists("Users.eng.damaged"));

    first.signal(SIGTERM);
    EXPECT_EQ(first.finish(), 0);
    EXPECT_EQ(course.readBytes("Users.eng"), userList(1));

    Program third(course, {"--no-intro"});
    EXPECT_TRUE(third.waitForWindow("mainWindow")) << "the course is free again";
    third.signal(SIGTERM);
    EXPECT_EQ(third.finish(), 0);
}

} // namespace

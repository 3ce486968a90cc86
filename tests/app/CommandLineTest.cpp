#include "support/TempCourse.h"
#include "users/Progress.h"
#include "users/UserList.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString output;
    QString errors;
};

// Runs the program with no display at all (no platform chosen, no X or Wayland server)
// and with a home folder of its own, so that nothing it might write escapes the test.
ProgramRun runProgram(const QStringList &arguments, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home);
    process.start(QStringLiteral(VESTORIA_PROGRAM), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QStringList treeOf(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    return paths;
}

class CommandLineTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    ProgramRun run(const QStringList &arguments) { return runProgram(arguments, home.path()); }
};

TEST_F(CommandLineTest, HelpListsEachOptionInRussianAndEnglishWithoutADisplay)
{
    for (const QString &help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const ProgramRun result = run({help});
        EXPECT_EQ(result.status, 0) << result.errors.toStdString();
        EXPECT_TRUE(result.output.startsWith(QStringLiteral("Usage: vestoria [options]\n")));
        for (const char *text : {"--course <folder>", "Открыть курс в папке", "Open the course in", "--no-intro",
                                 "Не показывать заставку", "Do not show the intro", "--check-course <folder>",
                                 "Проверить курс", "Check the course", "--version", "sample-course",
                                 "--class-report <folder>", "--html <file>"})
            EXPECT_TRUE(result.output.contains(QString::fromUtf8(text))) << text;
        EXPECT_FALSE(result.output.contains(QStringLiteral("platform"))) << "Qt's options stay Qt's";
        EXPECT_TRUE(result.errors.isEmpty());
    }
}

TEST_F(CommandLineTest, VersionPrintsTheProgramAndItsVersion)
{
    const ProgramRun result = run({QStringLiteral("--version")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, QStringLiteral("vestoria " VESTORIA_VERSION "\n"));
    // Qt's own options are known, and taken off the command line by Qt later.
    EXPECT_EQ(run({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-v")}).status, 0);
}

TEST_F(CommandLineTest, AMistakeShowsTheUsageOnStandardErrorAndEndsWithStatus2)
{
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--bogus")}, "Unknown option 'bogus'."},
        {{QStringLiteral("stray")}, "Unexpected argument 'stray'."},
        {{QStringLiteral("--course")}, "Missing value after '--course'."},
        {{QStringLiteral("--course="), QStringLiteral("--no-intro")}, "--course needs a folder."},
        {{QStringLiteral("--course"), QStringLiteral("a"), QStringLiteral("--course"), QStringLiteral("b")},
         "--course is given more than once."},
    };
    for (const auto &mistake : cases) {
        const ProgramRun result = run(mistake.arguments);
        EXPECT_EQ(result.status, 2) << mistake.message;
        EXPECT_TRUE(result.output.isEmpty());
        EXPECT_TRUE(result.errors.startsWith(QStringLiteral("vestoria: ") + QString::fromUtf8(mistake.message)))
            << result.errors.toStdString();
        EXPECT_TRUE(result.errors.contains(QStringLiteral("Usage: vestoria [options]")));
    }
}

TEST_F(CommandLineTest, ACourseFolderThatIsMissingOrNoCourseIsRefusedAndNothingIsCreated)
{
    const QString notCourse = home.filePath(QStringLiteral("notes"));
    QDir().mkpath(notCourse);
    QFile(notCourse + QStringLiteral("/InitRegA.txt")).open(QIODevice::WriteOnly);
    const QStringList before = treeOf(home.path());

    const ProgramRun missing = run({QStringLiteral("--course"), home.filePath(QStringLiteral("gone"))});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.errors, QStringLiteral("vestoria: Папка курса «%1» не найдена.\n"
                                             "vestoria: The course folder %1 does not exist.\n")
                                  .arg(home.filePath(QStringLiteral("gone"))));

    const ProgramRun notACourse = run({QStringLiteral("--no-intro"), QStringLiteral("--course"), QStringLiteral("notes")});
    EXPECT_EQ(notACourse.status, 2);
    EXPECT_TRUE(notACourse.errors.contains(QStringLiteral("%1 is not a course folder: InitRegB.txt, InitRegC.txt, "
                                                          "InitRegD.txt missing.")
                                               .arg(notCourse)))
        << notACourse.errors.toStdString();

    EXPECT_EQ(treeOf(home.path()), before) << "no settings, no sample copy, nothing in the folder";
}

// The teacher's view without a display: the class's progress as CSV on standard output
// (names and titles read as cp1251, written as UTF-8) and as a page in the file named.
TEST_F(CommandLineTest, TheClassReportIsWrittenWithoutAWindow)
{
    TempCourse course;
    course.writeLines("InitRegA.txt", {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t"),
                                       QStringLiteral("Слова\t1\t1\t2\t\t2\t\t\t\t\t")});
    for (const char *other : {"InitRegB.txt", "InitRegC.txt", "InitRegD.txt"})
        course.writeLines(other, {QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")});
    UserRecord user;
    user.setName(QStringLiteral("Аня"));
    user.setReg(u'A');
    user.setFileName(newUserFileName(course.root(), QStringLiteral("Аня")));
    course.writeBytes("Users.eng", user.bytes());
    ProgressState progress;
    progress.EntryCount = 2;
    progress.Progress = QList<ProgressRecord>(3);
    progress.Progress[2].setDone(true);
    course.writeBytes(QStringLiteral("Report/Аня/Аня.rep"), progressFileBytes(progress));

    const ProgramRun result = run({QStringLiteral("--class-report"), course.root(), QStringLiteral("--html"),
                                   QStringLiteral("class.html")});
    EXPECT_EQ(result.status, 0) << result.errors.toStdString();
    EXPECT_EQ(result.output, QStringLiteral("Ученик,Режим,Выполнено,Слова\r\nАня,A,1,+\r\n"));
    QFile page(home.filePath(QStringLiteral("class.html")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "the page is named from where the command was given";
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("<td>Аня</td><td>1</td><td>+</td>")));

    const ProgramRun noCourse = run({QStringLiteral("--class-report"), home.filePath(QStringLiteral("gone"))});
    EXPECT_EQ(noCourse.status, 2);
    EXPECT_TRUE(noCourse.output.isEmpty());
    const ProgramRun alone = run({QStringLiteral("--html"), QStringLiteral("x.html")});
    EXPECT_EQ(alone.status, 2);
    EXPECT_TRUE(alone.errors.startsWith(QStringLiteral("vestoria: --html needs a file and --class-report.")));
}

} // namespace

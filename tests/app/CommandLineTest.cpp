#include "support/SpokenRecording.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
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
                                 "Проверить курс", "Check the course", "--version", "sample-course"})
            EXPECT_TRUE(result.output.contains(QString::fromUtf8(text))) << text;
        EXPECT_FALSE(result.output.contains(QStringLiteral("platform"))) << "Qt's options stay Qt's";
        EXPECT_TRUE(result.errors.isEmpty());
    }
}

// The manual page lists every option the help lists.
TEST_F(CommandLineTest, TheManualPageListsEveryOptionOfTheHelp)
{
    QFile manual(QStringLiteral(VESTORIA_MAN_PAGE));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    QString page = QString::fromUtf8(manual.readAll());
    page.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    const QString help = run({QStringLiteral("--help")}).output;
    const QRegularExpression option(QStringLiteral("^\\s+(?:-\\w, )?(--[\\w-]+)"), QRegularExpression::MultilineOption);
    int options = 0;
    for (auto it = option.globalMatch(help); it.hasNext(); ++options) {
        const QString name = it.next().captured(1);
        EXPECT_TRUE(page.contains(name)) << name.toStdString();
    }
    EXPECT_GE(options, 6);
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
    // Each mistake is told in Russian, then in English.
    const struct {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--bogus")}, "Неизвестный параметр «bogus».\nUnknown option 'bogus'."},
        {{QStringLiteral("stray")}, "Лишний аргумент «stray».\nUnexpected argument 'stray'."},
        {{QStringLiteral("--course")}, "После «--course» нужно значение.\nMissing value after '--course'."},
        {{QStringLiteral("--course="), QStringLiteral("--no-intro")}, "Для --course нужна папка.\n--course needs a folder."},
        {{QStringLiteral("--course"), QStringLiteral("a"), QStringLiteral("--course"), QStringLiteral("b")},
         "--course указан больше одного раза.\n--course is given more than once."},
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

TEST_F(CommandLineTest, TimingCommandsWriteTheTimingOrSayWhichFileFailed)
{
    const QDir folder(home.path());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("text.txt"), "#Heading\r\nGood morning.\r\nHow are you?\r\n");
    SpokenRecording recording;
    recording.pause(500).say(1000).pause(600).say(1100).pause(500);
    recording.save(folder.filePath(QStringLiteral("text.wav")));
    write(QStringLiteral("labels.txt"), "0.5\t1.5\tGood morning.\n2.1\t3.2\tHow are you?\n");
    write(QStringLiteral("one.vtt"), "WEBVTT\n\n00:00.500 --> 00:01.500\nGood morning.\n");

    const ProgramRun made = run({QStringLiteral("--make-timing"), QStringLiteral("text.txt"), QStringLiteral("text.wav")});
    EXPECT_EQ(made.status, 0) << made.errors.toStdString();
    EXPECT_TRUE(made.output.contains(QRegularExpression(QStringLiteral("^#\r\n4[5-7]\\d\t15[5-7]\\d\r\n20[5-7]\\d\t32[5-7]\\d\r\n$"))))
        << made.output.toStdString();

    const ProgramRun saved = run({QStringLiteral("--make-timing"), QStringLiteral("text.txt"), QStringLiteral("text.wav"),
                                  QStringLiteral("--out"), QStringLiteral("timing.txt")});
    EXPECT_EQ(saved.status, 0);
    EXPECT_TRUE(saved.output.isEmpty());
    QFile timing(folder.filePath(QStringLiteral("timing.txt")));
    ASSERT_TRUE(timing.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(timing.readAll()), made.output);

    const ProgramRun imported = run({QStringLiteral("--import-timing"), QStringLiteral("labels.txt"), QStringLiteral("text.txt")});
    EXPECT_EQ(imported.status, 0);
    EXPECT_EQ(imported.output, QStringLiteral("#\r\n500\t1500\r\n2100\t3200\r\n"));

    const struct {
        QStringList arguments;
        const char *message;
    } failures[] = {
        {{QStringLiteral("--make-timing"), QStringLiteral("none.txt"), QStringLiteral("text.wav")}, "none.txt"},
        {{QStringLiteral("--make-timing"), QStringLiteral("text.txt"), QStringLiteral("text.txt")}, "text.txt: звук не читается"},
        {{QStringLiteral("--import-timing"), QStringLiteral("one.vtt"), QStringLiteral("text.txt")},
         "one.vtt: в файле one.vtt 1 отрезок, а в тексте text.txt 2 фразы"},
        {{QStringLiteral("--make-timing"), QStringLiteral("text.txt"), QStringLiteral("text.wav"), QStringLiteral("--out"),
          QStringLiteral("no-folder/timing.txt")},
         "no-folder/timing.txt"},
    };
    for (const auto &failure : failures) {
        const ProgramRun result = run(failure.arguments);
        EXPECT_EQ(result.status, 1) << failure.message;
        EXPECT_TRUE(result.output.isEmpty());
        EXPECT_TRUE(result.errors.startsWith(QStringLiteral("vestoria: ")));
        EXPECT_TRUE(result.errors.contains(QString::fromUtf8(failure.message))) << result.errors.toStdString();
    }

    const struct {
        QStringList arguments;
        const char *message;
    } mistakes[] = {
        {{QStringLiteral("--make-timing"), QStringLiteral("text.txt")},
         "Для --make-timing нужны текст и звук.\n--make-timing needs a text and a sound."},
        {{QStringLiteral("--import-timing"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
         "Unexpected argument 'c'."},
        {{QStringLiteral("--out"), QStringLiteral("timing.txt")},
         "--out указывается вместе с --make-timing или --import-timing.\n--out goes with --make-timing or --import-timing."},
        {{QStringLiteral("--make-timing"), QStringLiteral("a"), QStringLiteral("--import-timing"), QStringLiteral("b"),
          QStringLiteral("c")},
         "--make-timing и --import-timing нельзя указывать вместе.\n"
         "--make-timing and --import-timing cannot be given together."},
    };
    for (const auto &mistake : mistakes) {
        const ProgramRun result = run(mistake.arguments);
        EXPECT_EQ(result.status, 2) << mistake.message;
        EXPECT_TRUE(result.errors.startsWith(QStringLiteral("vestoria: ") + QString::fromUtf8(mistake.message)))
            << result.errors.toStdString();
    }
    const ProgramRun help = run({QStringLiteral("--help")});
    for (const char *text : {"--make-timing <text> <sound>", "--import-timing <file> <text>", "--out <file>",
                             "Без окна составить тайминг", "Make the timing file", "Audacity"})
        EXPECT_TRUE(help.output.contains(QString::fromUtf8(text))) << text;
}

} // namespace

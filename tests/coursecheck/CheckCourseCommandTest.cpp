#include "CourseFixture.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct CommandRun {
    int status = -1;
    QString output;
};

// Runs `vestoria --check-course DIR` with no display at all: no platform plugin chosen and
// no X or Wayland server to connect to.
CommandRun checkCourseCommand(const QString &folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VESTORIA_PROGRAM), {QStringLiteral("--check-course"), folder});
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

TEST(CheckCourseCommand, GivenTheSampleCourse_WhenChecked_ThenItSaysInOneLineThatThereIsNoProblem)
{
    const CommandRun run = checkCourseCommand(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, QStringLiteral("Курс проверен: ошибок нет.\n"));
}

TEST(CheckCourseCommand, GivenADamagedCourse_WhenChecked_ThenItPrintsFileLineAndMessageInUtf8AndFails)
{
    const TempCourse course;
    writeCleanCourse(course);
    course.writeBytes(QStringLiteral("InitRegB.txt"), cp1251(QStringLiteral("Корень\t0\t0\t2\t\t0\t\t\t\t\t\r\nУрок\t1\tодин\t2\t\t0\t\t\t\t\t\r\n")));
    QFile::remove(course.absolute(QStringLiteral("music.wav")));

    const CommandRun run = checkCourseCommand(course.root());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, QStringLiteral("music.wav: Звук music.wav не читается: Файл не найден\n"
                                         "InitRegB.txt:2: строка не загружается: 'один' не является допустимым целым числом\n"));
}

TEST(CheckCourseCommand, GivenNoFolder_WhenChecked_ThenItSaysSoInRussianAndCannotRun)
{
    const CommandRun run = checkCourseCommand(QStringLiteral("/nonexistent/course"));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, QStringLiteral("/nonexistent/course: папка курса не найдена\n"));
}

// The catalogues name course files with backslashes; the report names them the same way,
// in the place of a problem and in its text alike.
TEST(CheckCourseCommand, GivenProblemsInTheDataFolder_WhenChecked_ThenEveryFileIsNamedWithBackslashes)
{
    const TempCourse course;
    writeCleanCourse(course);
    course.writeBytes(QStringLiteral("____Data\\lesson\\w.txt"), cp1251(QStringLiteral("one\r\ntwo\r\n")));
    course.writeBytes(QStringLiteral("____Data\\lesson\\t.txt"), cp1251(QStringLiteral("один\r\n")));
    writeCatalogue(course, u'D', {catalogueLine({QStringLiteral("Слова"), QStringLiteral("1"), QStringLiteral("1"),
                                                 QStringLiteral("2"), QString(), QStringLiteral("1"),
                                                 QStringLiteral("lesson\\w.txt"), QStringLiteral("lesson\\t.txt"),
                                                 QString(), QString(), QString()})});

    const CommandRun run = checkCourseCommand(course.root());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.output.startsWith(QStringLiteral("____Data\\lesson\\w.txt:2: нет перевода для этой строки: "
                                                     "в ____Data\\lesson\\t.txt")))
        << run.output.toStdString();
    EXPECT_FALSE(run.output.contains(u'/')) << run.output.toStdString();
}

} // namespace

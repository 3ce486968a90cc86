#include "shell/CourseChoice.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every path below a folder, to show that nothing was created in it.
QStringList treeOf(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    return paths;
}

// A user's XDG folders, an installed sample course, a working directory and a course of
// the user's own, all in one temporary folder.
class CourseChoiceTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    CoursePlaces places;
    QString installed = root.filePath("usr/share/vestoria/course");
    QString home = root.filePath("home");
    QString ownCourse = root.filePath("home/courses/business");
    QStringList unwritable;

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        places.settingsFile = root.filePath("home/.config/vestoria/vestoria.conf");
        places.dataFolder = root.filePath("home/.local/share/vestoria");
        places.installedSamples = {root.filePath("usr/bin/course"), installed};
        makeCourse(installed, "sample");
        QDir().mkpath(installed + "/Report");
        makeCourse(ownCourse, "own");
    }

    static void makeCourse(const QString &folder, const QByteArray &title)
    {
        for (const char *name : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt", "InitRegD.txt"})
            writeFile(folder + '/' + name, title + "\t0\t0\t0\t\t0\t\t\t\t\t\r\n");
        writeFile(folder + "/____Data/lesson1/text.txt", "Hello.\r\n");
    }

    CourseChoice::Result choose(const QString &given = {}, const QString &workingDirectory = {})
    {
        CourseChoice choice(places);
        choice.setWritableTest([this](const QString &folder) { return !unwritable.contains(folder); });
        return choice.choose(given, workingDirectory.isEmpty() ? home : workingDirectory);
    }

    QString remembered() const
    {
        return QSettings(places.settingsFile, QSettings::IniFormat).value("lastCourse").toString();
    }
};

TEST_F(CourseChoiceTest, AGivenCourseOpensAndIsRemembered)
{
    const auto result = choose("courses/business", home);
    EXPECT_EQ(result.problem, CourseChoice::Problem::None);
    EXPECT_EQ(result.source, CourseChoice::Source::Given);
    EXPECT_EQ(result.folder, ownCourse);
    EXPECT_FALSE(result.readOnly);
    EXPECT_EQ(remembered(), ownCourse);
    EXPECT_FALSE(QFileInfo::exists(places.sampleCopy())) << "no sample copy is made when a course is given";
}

TEST_F(CourseChoiceTest, AGivenFolderThatIsNoCourseIsRefusedAndNothingIsCreated)
{
    const QString plain = root.filePath("home/photos");
    writeFile(plain + "/InitRegB.txt", "");
    writeFile(plain + "/holiday.jpg", "jpeg");
    const QStringList before = treeOf(root.path());

    const auto missing = choose(root.filePath("home/nowhere"));
    EXPECT_EQ(missing.problem, CourseChoice::Problem::GivenMissing);
    EXPECT_EQ(missing.folder, root.filePath("home/nowhere"));
    EXPECT_TRUE(CourseChoice::russianText(missing).contains(missing.folder));
    EXPECT_TRUE(CourseChoice::englishText(missing).contains("does not exist"));

    const auto notCourse = choose(plain);
    EXPECT_EQ(notCourse.problem, CourseChoice::Problem::GivenNotACourse);
    EXPECT_EQ(notCourse.detail, "InitRegA.txt, InitRegC.txt, InitRegD.txt");

    EXPECT_EQ(treeOf(root.path()), before) << "no settings, no sample copy, nothing in the folders";
}

TEST_F(CourseChoiceTest, TheWorkingDirectoryComesBeforeTheRememberedCourse)
{
    choose(ownCourse);
    const QString other = root.filePath("home/courses/travel");
    makeCourse(other, "travel");

    const auto result = choose({}, other);
    EXPECT_EQ(result.source, CourseChoice::Source::WorkingDirectory);
    EXPECT_EQ(result.folder, other);
    EXPECT_EQ(remembered(), other);
}

TEST_F(CourseChoiceTest, TheRememberedCourseOpensFromAnyOtherFolder)
{
    choose(ownCourse);
    const auto result = choose();
    EXPECT_EQ(result.source, CourseChoice::Source::Remembered);
    EXPECT_EQ(result.folder, ownCourse);
}

TEST_F(CourseChoiceTest, ARememberedCourseThatHasGoneIsForgottenAndTheSampleCopyOpens)
{
    choose(ownCourse);
    ASSERT_TRUE(QDir(ownCourse).removeRecursively());

    const auto result = choose();
    EXPECT_EQ(result.source, CourseChoice::Source::SampleCopy);
    EXPECT_EQ(result.folder, places.sampleCopy());
    EXPECT_FALSE(QSettings(places.settingsFile, QSettings::IniFormat).contains("lastCourse"));
}

TEST_F(CourseChoiceTest, TheSampleIsCopiedOnceAndTheLearnersCopyIsNeverOverwritten)
{
    const auto first = choose();
    ASSERT_EQ(first.problem, CourseChoice::Problem::None);
    EXPECT_EQ(first.source, CourseChoice::Source::SampleCopy);
    EXPECT_EQ(first.folder, places.sampleCopy());
    EXPECT_FALSE(first.readOnly);
    EXPECT_EQ(readFile(first.folder + "/____Data/lesson1/text.txt"), "Hello.\r\n");
    EXPECT_TRUE(QFileInfo(first.folder + "/Report").isDir()) << "empty folders are copied too";
    EXPECT_FALSE(QFileInfo::exists(first.folder + ".part"));
    EXPECT_TRUE(remembered().isEmpty()) << "the sample copy is the default, not a choice to remember";

    // The learner works in the copy; then a newer sample is installed.
    writeFile(first.folder + "/Users.eng", "learners");
    writeFile(installed + "/InitRegA.txt", "newer\t0\t0\t0\t\t0\t\t\t\t\t\r\n");
    const auto later = choose();
    EXPECT_EQ(later.folder, first.folder);
    EXPECT_EQ(readFile(later.folder + "/Users.eng"), "learners");
    EXPECT_EQ(readFile(later.folder + "/InitRegA.txt"), "sample\t0\t0\t0\t\t0\t\t\t\t\t\r\n");
    EXPECT_EQ(readFile(installed + "/Users.eng"), QByteArray()) << "the installed sample is never written";
}

TEST_F(CourseChoiceTest, WithoutAnInstalledSampleThereIsNoCourse)
{
    ASSERT_TRUE(QDir(installed).removeRecursively());
    const auto result = choose();
    EXPECT_EQ(result.problem, CourseChoice::Problem::NoCourse);
    EXPECT_TRUE(CourseChoice::englishText(result).contains("--course"));
}

TEST_F(CourseChoiceTest, AFailedCopyIsReportedAndLeavesNoHalfCourse)
{
    writeFile(places.dataFolder, "a file where the data folder should be");
    const auto result = choose();
    EXPECT_EQ(result.problem, CourseChoice::Problem::SampleCopyFailed);
    EXPECT_FALSE(QFileInfo::exists(places.sampleCopy()));
    EXPECT_FALSE(QFileInfo::exists(places.sampleCopy() + ".part"));
}

TEST_F(CourseChoiceTest, ACourseFolderThatCannotBeWrittenOpensReadOnly)
{
    unwritable << ownCourse;
    const auto result = choose(ownCourse);
    EXPECT_EQ(result.problem, CourseChoice::Problem::None);
    EXPECT_TRUE(result.readOnly);
    EXPECT_TRUE(CourseChoice::readOnlyNotice(result.folder).contains(ownCourse));
}

TEST_F(CourseChoiceTest, TheUsersPlacesFollowTheXdgFolders)
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", root.filePath("data").toUtf8());
    const CoursePlaces user = CoursePlaces::forUser(root.filePath("usr/bin"));
    config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
    data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);

    EXPECT_EQ(user.settingsFile, root.filePath("config/vestoria/vestoria.conf"));
    EXPECT_EQ(user.sampleCopy(), root.filePath("data/vestoria/sample-course"));
    EXPECT_EQ(user.installedSamples.value(0), installed);
}

} // namespace

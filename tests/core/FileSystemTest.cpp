#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "support/TempCourse.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(FileSystem, ExistenceCountsFoldersAndHiddenFiles)
{
    TempCourse course;
    course.writeBytes(".hidden", "h");
    QDir().mkdir("folder");
    EXPECT_TRUE(pathExists(".hidden"));
    EXPECT_TRUE(fileExists(".hidden"));
    EXPECT_TRUE(pathExists("folder"));
    EXPECT_FALSE(fileExists("folder"));
    EXPECT_FALSE(pathExists("none"));
    EXPECT_FALSE(pathExists(""));
    EXPECT_EQ(fileSize("none"), -1);
}

TEST(FileSystem, FoldersAreCreatedListedAndRemoved)
{
    TempCourse course;
    EXPECT_TRUE(createFolder("Report\\"));
    EXPECT_TRUE(createFolder("Report\\Ann"));
    course.writeBytes("Report/Ann/b.wav", "b");
    course.writeBytes("Report/Ann/a.rep", "a");
    EXPECT_EQ(listFolder("Report\\Ann"), QStringList({"a.rep", "b.wav"}));
    EXPECT_FALSE(removeFolder("Report\\Ann")) << "a folder with files stays";
    EXPECT_TRUE(deleteFile("Report\\Ann\\a.rep"));
    EXPECT_TRUE(deleteFile("Report\\Ann\\b.wav"));
    EXPECT_FALSE(deleteFile("Report\\Ann\\b.wav"));
    EXPECT_TRUE(removeFolder("Report\\Ann"));
    EXPECT_FALSE(pathExists("Report\\Ann"));
}

TEST(FileSystem, FreeBytesOfTheFileSystemHoldingAPath)
{
    TempCourse course;
    const auto here = freeBytes(".");
    ASSERT_TRUE(here.has_value());
    EXPECT_GT(*here, 0u);
    // A path that does not exist yet is asked through its nearest existing folder.
    const auto later = freeBytes("Report\\NewUser\\rec.wav");
    ASSERT_TRUE(later.has_value());
    EXPECT_GT(*later, 0u);
}

TEST(FileSystem, ReadErrorsNameTheFile)
{
    TempCourse course;
    course.writeBytes("big.txt", QByteArray(100, 'x'));
    QDir().mkdir("folder");
    ASSERT_EQ(mkfifo(course.absolute("pipe.txt").toLocal8Bit().constData(), 0600), 0);
    for (const char *name : {"missing.txt", "folder", "big.txt", "pipe.txt"}) {
        try {
            readFileBytes(name, 10);
            FAIL() << name;
        } catch (const CourseError &error) {
            EXPECT_EQ(error.file(), QString(name));
            EXPECT_TRUE(error.userText().contains(name));
        }
    }
    EXPECT_EQ(readFileBytes("big.txt", 100).size(), 100);
}

TEST(FileSystem, AtomicReplaceWritesTheWholeFileAndLeavesNoTemporary)
{
    TempCourse course;
    course.writeBytes("Users.eng", "old contents");
    replaceFileAtomically("Users.eng", QByteArray("new\0bytes", 9));
    EXPECT_EQ(course.readBytes("Users.eng"), QByteArray("new\0bytes", 9));
    EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Hidden), QStringList({"Users.eng"}));
}

TEST(FileSystem, ASaveRemovesTheTemporaryFilesOfOldKilledSaves)
{
    // GIVEN the temporary file of a save killed an hour ago, one of a save begun just now,
    // and hidden files that only look alike
    TempCourse course;
    course.writeBytes("Users.eng", "old");
    for (const char *name : {".Users.eng.Ab12Cd", ".Users.eng.Xy34Zw", ".Users.eng.longer1", ".Users.eng.bak"})
        course.writeBytes(name, "partial");
    for (const char *name : {".Users.eng.Ab12Cd", ".Users.eng.longer1", ".Users.eng.bak"}) {
        QFile old(course.absolute(name));
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }

    // WHEN the file is saved
    replaceFileAtomically("Users.eng", "new");

    // THEN only the old temporary file is gone
    QStringList left = QDir(".").entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, (QStringList{".Users.eng.Xy34Zw", ".Users.eng.bak", ".Users.eng.longer1", "Users.eng"}));
}

TEST(FileSystem, ReplaceSwapsInANewFileInsteadOfRewritingTheOldOne)
{
    // GIVEN a reader that has the old file open
    TempCourse course;
    course.writeBytes("Users.eng", "old");
    QFile reader(course.absolute("Users.eng"));
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));

    // WHEN the file is replaced
    replaceFileAtomically("Users.eng", "new contents");

    // THEN the old file was never truncated or overwritten in place: the reader still sees it whole
    EXPECT_EQ(reader.readAll(), QByteArray("old"));
    EXPECT_EQ(course.readBytes("Users.eng"), QByteArray("new contents"));
}

TEST(FileSystem, AReplaceThatCannotWriteThrowsAndLeavesNothing)
{
    TempCourse course;
    course.writeBytes("afile", "x");
    EXPECT_THROW(replaceFileAtomically("afile\\Users.eng", "new"), CourseError);
    EXPECT_EQ(course.readBytes("afile"), QByteArray("x"));
}

// Writes that really fail part-way: a child process whose files may not grow past 1000
// bytes replaces a file with 5000 bytes, as a nearly full disk would let it.
TEST(FileSystem, AWriteThatFailsPartWayKeepsTheOldFileAndSaysWhy)
{
    TempCourse course;
    const QByteArray old(1600, 'o');
    course.writeBytes("Users.eng", old);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        int status = 0;
        try {
            replaceFileAtomically("Users.eng", QByteArray(5000, 'n'));
        } catch (const CourseError &error) {
            const QString text = error.userText();
            status = text.contains(QStringLiteral("Users.eng")) &&
                             text.contains(QStringLiteral("Не удалось сохранить файл: файл превысил допустимый размер"))
                         ? 3
                         : 4;
        }
        _exit(status);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "0: no error reported; 4: the message does not say what failed";
    EXPECT_EQ(course.readBytes("Users.eng"), old);
    EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Hidden), QStringList({"Users.eng"})) << "no temporary left";
}

TEST(FileSystem, CountsAgreeWithTheirNouns)
{
    const std::pair<int, const char *> cases[] = {{0, "0 записей"},  {1, "1 запись"},   {2, "2 записи"},
                                                  {5, "5 записей"},  {11, "11 записей"}, {12, "12 записей"},
                                                  {21, "21 запись"}, {23, "23 записи"}, {111, "111 записей"}};
    for (const auto &[n, text] : cases)
        EXPECT_EQ(russianCount(n, QStringLiteral("запись"), QStringLiteral("записи"), QStringLiteral("записей")),
                  QString::fromUtf8(text));
}

} // namespace

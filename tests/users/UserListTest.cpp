#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "support/TempCourse.h"
#include "users/UserList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// A record as another program (or an older run) may have written it: garbage after
// every text and in the reserved tail.
QByteArray recordWithGarbage(const QString &name, char mode, const QString &password)
{
    QByteArray bytes(UserRecord::Size, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(0xA0 + i % 37);
    UserRecord user(bytes);
    user.setName(name);
    user.setReg(QChar(mode));
    user.setPassword(password);
    user.setFileName(QStringLiteral("C:\\Course\\Report\\") + name + u'\\' + name + QStringLiteral(".rep"));
    user.setDir(QStringLiteral("C:\\Course\\Report\\") + name + u'\\');
    return user.bytes();
}

TEST(UserRecord, FieldsLieAtTheirOffsets)
{
    UserRecord user;
    user.setName(QStringLiteral("Anna"));
    user.setReg(u'C');
    user.setPassword(QStringLiteral("pw"));
    user.setDir(QStringLiteral("D\\"));
    user.setFileName(QStringLiteral("F"));
    const QByteArray &b = user.bytes();
    EXPECT_EQ(b.size(), 560);
    EXPECT_EQ(b.mid(0, 5), QByteArray("\x04" "Anna"));
    EXPECT_EQ(b[31], 'C');
    EXPECT_EQ(b.mid(32, 3), QByteArray("\x02" "pw"));
    EXPECT_EQ(b.mid(43, 3), QByteArray("\x02" "D\\"));
    EXPECT_EQ(b.mid(299, 2), QByteArray("\x01" "F"));
    EXPECT_EQ(b.mid(555), QByteArray(5, '\0'));
}

TEST(UserRecord, LongTextsAreCutAndListLinesFollowTheName)
{
    UserRecord user;
    user.setName(QString(35, u'n'));
    user.setPassword(QString(12, u'p'));
    user.setReg(u'B');
    EXPECT_EQ(user.Name(), QString(30, u'n'));
    EXPECT_EQ(user.Password(), QString(10, u'p'));
    EXPECT_EQ(userListLine(user), QString(30, u'n') + QStringLiteral(" - Режим B"));
    EXPECT_EQ(userListLine(user).size(), 40);
}

TEST(UserRecord, TheAnonymousUserIsModeDWithNothingElse)
{
    const UserRecord &anonymous = AnonymousUser();
    EXPECT_EQ(anonymous.Name(), QStringLiteral("Анонимный пользователь"));
    EXPECT_EQ(anonymous.Name().size(), 22);
    EXPECT_EQ(anonymous.Reg(), QChar(u'D'));
    EXPECT_TRUE(anonymous.Password().isEmpty());
    EXPECT_TRUE(anonymous.FileName().isEmpty());
    EXPECT_EQ(anonymous.bytes().mid(32), QByteArray(UserRecord::Size - 32, '\0'));
}

TEST(UserList, ThreeRecordsRoundTripByteForByte)
{
    // GIVEN a user list written elsewhere, with bytes after its texts
    TempCourse course;
    const QByteArray file = recordWithGarbage("Anna", 'A', "one") + recordWithGarbage("Boris", 'C', "") +
                            recordWithGarbage("Vera", 'D', "0123456789");
    course.writeBytes("Users.eng", file);

    // WHEN it is loaded and saved unchanged
    UserRegistry registry;
    registry.CurrentUserValid = true;
    loadUsers(registry);
    ASSERT_EQ(registry.LastUser(), 2);
    EXPECT_FALSE(registry.CurrentUserValid);
    EXPECT_EQ(userListLine(registry.Users[1]), QStringLiteral("Boris - Режим C"));
    EXPECT_EQ(registry.Users[2].Password(), QStringLiteral("0123456789"));
    saveUsers(registry);

    // THEN the file is the same, byte for byte
    EXPECT_EQ(course.readBytes("Users.eng"), file);
}

TEST(UserList, NoFileAndAnEmptyFileMeanNoUsers)
{
    TempCourse course;
    UserRegistry registry;
    loadUsers(registry);
    EXPECT_EQ(registry.LastUser(), -1);
    course.writeBytes("Users.eng", QByteArray());
    loadUsers(registry);
    EXPECT_EQ(registry.LastUser(), -1);
    saveUsers(registry);
    EXPECT_TRUE(QFile::exists(course.absolute("Users.eng")));
    EXPECT_TRUE(course.readBytes("Users.eng").isEmpty());
}

TEST(UserList, ADamagedTailIsReportedAndTheWholeRecordsAreKept)
{
    TempCourse course;
    const QByteArray whole = recordWithGarbage("Anna", 'A', "x") + recordWithGarbage("Boris", 'B', "y");
    const QByteArray damaged = whole + QByteArray(100, 'z');
    course.writeBytes("Users.eng", damaged);
    UserRegistry registry;
    try {
        loadUsers(registry);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Файл поврежден: после 2 записей осталось 100 лишних байт.")))
            << error.message().toStdString();
    }
    ASSERT_EQ(registry.LastUser(), 1);
    saveUsers(registry);
    EXPECT_EQ(course.readBytes("Users.eng"), whole);
    EXPECT_EQ(course.readBytes("Users.eng.damaged"), damaged) << "the damaged file is kept beside the list";

    course.writeBytes("Users.eng", whole.left(561));
    try {
        loadUsers(registry);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Файл поврежден: после 1 записи остался 1 лишний байт.")))
            << error.message().toStdString();
    }
}

// A list that could not be read (here a pipe in its place; a file over the size limit
// is refused the same way) must not be replaced by the empty list of this run.
TEST(UserList, AListThatCouldNotBeReadIsNeverWritten)
{
    TempCourse course;
    ASSERT_EQ(mkfifo("Users.eng", 0600), 0);
    UserRegistry registry;
    EXPECT_THROW(loadUsers(registry), CourseError);
    EXPECT_EQ(registry.LastUser(), -1);
    addUser(registry, "New", "", u'A', "x\\New.rep");
    saveUsers(registry);
    EXPECT_FALSE(QFileInfo("Users.eng").isFile());
}

TEST(UserList, AddedUsersHaveZeroBytesAfterTheirTexts)
{
    UserRegistry registry;
    registry.CurrentUserValid = true;
    const int index = addUser(registry, QStringLiteral("Ann Lee"), QStringLiteral("secret"), u'B',
                              QStringLiteral("/home/c\\Report\\Ann Lee\\Ann Lee.rep"));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(registry.CurrentUserValid);
    const UserRecord &user = registry.Users[0];
    EXPECT_EQ(user.Dir(), QStringLiteral("/home/c\\Report\\Ann Lee\\"));
    EXPECT_EQ(user.Reg(), QChar(u'B'));
    EXPECT_EQ(user.bytes().mid(1 + 7, 31 - 8), QByteArray(31 - 8, '\0')) << "zero after the name";
    EXPECT_EQ(user.bytes().mid(555), QByteArray(5, '\0'));
}

struct DeleteCase {
    int deleted;
    int currentBefore;
    int currentAfter;
    bool stillValid;
};

TEST(UserList, DeletingKeepsTheSamePersonCurrent)
{
    const DeleteCase cases[] = {
        {0, 1, 0, true},   // before the current user: the index drops by one
        {1, 1, -1, false}, // the current user: anonymous, flag cleared
        {2, 1, 1, true},   // after: unchanged
        {0, -1, -1, true}, // anonymous stays anonymous
    };
    TempCourse course;
    for (const DeleteCase &c : cases) {
        UserRegistry registry;
        for (const char *name : {"A", "B", "C"})
            addUser(registry, name, "", u'A', QStringLiteral("x\\") + name + ".rep");
        registry.CurUser = c.currentBefore;
        registry.CurrentUserValid = true;
        deleteUser(registry, c.deleted);
        EXPECT_EQ(registry.LastUser(), 1);
        EXPECT_EQ(registry.CurUser, c.currentAfter) << c.deleted << " of " << c.currentBefore;
        EXPECT_EQ(registry.CurrentUserValid, c.stillValid);
    }
    UserRegistry one;
    addUser(one, "Only", "", u'A', "x\\Only.rep");
    deleteUser(one, 0);
    EXPECT_EQ(one.LastUser(), -1);
}

TEST(UserList, DeletionRemovesTheUsersFilesButKeepsNonEmptySubfolders)
{
    TempCourse course;
    course.writeBytes("Report/Ann/Ann.rep", "p");
    course.writeBytes("Report/Ann/Ann5.wav", "w");
    course.writeBytes("Report/Ann/keep/inner.txt", "i");
    QDir().mkpath(course.absolute("Report/Ann/empty"));
    UserRegistry registry;
    addUser(registry, "Ann", "", u'A', QDir::currentPath() + "\\Report\\Ann\\Ann.rep");
    deleteUser(registry, 0);
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann.rep")));
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann5.wav")));
    EXPECT_FALSE(QDir(course.absolute("Report/Ann/empty")).exists());
    EXPECT_TRUE(QFile::exists(course.absolute("Report/Ann/keep/inner.txt")));
}

TEST(UserList, DeletionNeverReachesOutsideTheReportFolder)
{
    TempCourse course;
    course.writeBytes("Report/Ann/Ann.rep", "p");
    course.writeBytes("outside/precious.txt", "keep me");
    course.writeBytes("precious.txt", "keep me too");
    const QString here = QDir::currentPath();
    const QString dirs[] = {here + "\\outside\\", here + "\\", "", "outside\\", here + "\\Report\\..\\outside\\",
                            here + "\\Report\\"};
    for (const QString &dir : dirs) {
        UserRegistry registry;
        addUser(registry, "Zed", "", u'A', "x\\Zed.rep");
        registry.Users[0].setDir(dir);
        deleteUser(registry, 0);
        EXPECT_TRUE(QFile::exists(course.absolute("outside/precious.txt"))) << dir.toStdString();
        EXPECT_TRUE(QFile::exists(course.absolute("precious.txt"))) << dir.toStdString();
        EXPECT_TRUE(QFile::exists(course.absolute("Report/Ann/Ann.rep"))) << dir.toStdString();
    }
}

// A prank in a shared course folder: Report, or a learner's folder, is a link out of it.
// "Удалить имя" then deletes nothing, and the progress file is not taken from there.
TEST(UserList, LinkedReportOrLearnerFoldersAreNeitherDeletedNorWritten)
{
    for (const bool linkedReport : {true, false}) {
        TempCourse course;
        QTemporaryDir outside;
        QFile precious(outside.filePath("Zed.rep"));
        ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
        precious.write("keep me");
        precious.close();
        if (linkedReport) {
            ASSERT_TRUE(QDir().mkpath(outside.filePath("Zed")));
            QFile::copy(outside.filePath("Zed.rep"), outside.filePath("Zed/Zed.rep"));
            ASSERT_TRUE(QFile::link(outside.path(), course.absolute("Report")));
        } else {
            ASSERT_TRUE(QDir().mkpath(course.absolute("Report")));
            ASSERT_TRUE(QFile::link(outside.path(), course.absolute("Report/Zed")));
        }
        UserRegistry registry;
        addUser(registry, "Zed", "", u'A', QDir::currentPath() + "\\Report\\Zed\\Zed.rep");
        EXPECT_EQ(confinedUserFolder(registry.Users[0]), QString());
        EXPECT_EQ(userProgressFile(registry.Users[0]), QString()) << "nothing of his may be written";
        deleteUser(registry, 0);
        EXPECT_EQ(QDir(outside.path()).entryList(QDir::Files).size(), 1) << linkedReport;
        EXPECT_EQ(QFileInfo(outside.filePath("Zed.rep")).size(), 7) << linkedReport;
        if (linkedReport) {
            EXPECT_TRUE(QFile::exists(outside.filePath("Zed/Zed.rep")));
        }
    }
}

TEST(UserList, PathsStoredOnAnotherMachineFallBackToTheLocalReportFolder)
{
    TempCourse course;
    course.writeBytes("Report/Ann/Ann.rep", "p");
    course.writeBytes("Report/Ann/Ann1.wav", "w");
    UserRegistry registry;
    addUser(registry, "Ann", "", u'A', "C:\\Course\\Report\\Ann\\Ann.rep");
    EXPECT_EQ(userProgressFile(registry.Users[0]), QStringLiteral("Report\\Ann\\Ann.rep"));
    addUser(registry, "Bob", "", u'A', "C:\\Course\\Report\\Bob\\Bob.rep");
    EXPECT_EQ(userProgressFile(registry.Users[1]), QStringLiteral("Report\\Bob\\Bob.rep"))
        << "nothing local either: the local file is the one to create";
    deleteUser(registry, 0);
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann1.wav")));
}

TEST(UserList, DeletingADamagedRecordNeverReachesAnotherLearnersFolder)
{
    TempCourse course;
    course.writeBytes("Report/Ann/Ann.rep", "p");
    course.writeBytes("Report/Boris/Boris.rep", "b");
    UserRegistry registry;
    addUser(registry, "Boris/../Ann", "", u'A', "C:\\Elsewhere\\Report\\Boris\\Boris.rep");
    deleteUser(registry, 0);
    addUser(registry, "Ann", "", u'A', QDir::currentPath() + "\\Report\\Ann\\Ann.rep");
    addUser(registry, "Vera", "", u'A', QDir::currentPath() + "\\Report\\Ann\\Ann.rep"); // shares Ann's folder
    deleteUser(registry, 1);
    EXPECT_TRUE(QFile::exists(course.absolute("Report/Ann/Ann.rep")));
    EXPECT_TRUE(QFile::exists(course.absolute("Report/Boris/Boris.rep")));
}

// A course folder copied elsewhere keeps the absolute paths of the original in its list.
TEST(UserList, ACopiedCourseReadsAndWritesOnlyItsOwnFiles)
{
    QTemporaryDir original;
    const QString originalFile = original.path() + "/Report/Ann/Ann.rep";
    QDir().mkpath(original.path() + "/Report/Ann");
    QFile file(originalFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("marks of the original");
    file.close();

    TempCourse course;
    UserRegistry registry;
    addUser(registry, "Ann", "", u'A', original.path() + "\\Report\\Ann\\Ann.rep");
    const QString used = userProgressFile(registry.Users[0]);
    EXPECT_EQ(used, QStringLiteral("Report\\Ann\\Ann.rep"));
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), QByteArray("marks of the original")) << "copied over first";
    course.writeBytes("Report/Ann/Ann.rep", "marks of the copy");
    EXPECT_EQ(userProgressFile(registry.Users[0]), QStringLiteral("Report\\Ann\\Ann.rep"));
    EXPECT_EQ(course.readBytes("Report/Ann/Ann.rep"), QByteArray("marks of the copy")) << "copied only once";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("marks of the original"));
}

// cp1251 has no "é": the stored path says "Jos?", which names no folder.
TEST(UserList, ANewLearnerWorksInAFolderWhoseNameTheRecordCannotHold)
{
    TempCourse course;
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("José")));
    ASSERT_TRUE(QDir::setCurrent(course.absolute(QStringLiteral("José"))));
    QDir().mkpath("Report/Ann");
    UserRegistry registry;
    addUser(registry, "Ann", "", u'A', newUserFileName(workingFolder(), "Ann"));
    EXPECT_TRUE(registry.Users[0].FileName().contains(QStringLiteral("Jos?")));
    const QString file = userProgressFile(registry.Users[0]);
    EXPECT_NO_THROW(replaceFileAtomically(file, "progress"));
    EXPECT_EQ(course.readBytes(QStringLiteral("José/Report/Ann/Ann.rep")), QByteArray("progress"));
    QDir::setCurrent(course.root());
}

} // namespace

#include "core/ConfinedPath.h"
#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A course whose Report tree holds links out of it, and the folder they lead to.
struct LinkedCourse {
    TempCourse course;
    QTemporaryDir outside;

    LinkedCourse()
    {
        course.writeBytes("Report/Ann/Ann.rep", "ann");
        writeOutside("precious.wav", "keep me");
        QFile::link(outside.path(), course.absolute("Report/Linked"));          // a linked learner folder
        QFile::link(outsideFile("precious.wav"), course.absolute("Report/Ann/Ann7.wav")); // a linked recording
    }
    QString outsideFile(const QString &name) const { return outside.filePath(name); }
    void writeOutside(const QString &name, const QByteArray &bytes) const
    {
        QFile file(outsideFile(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    QByteArray readOutside(const QString &name) const
    {
        QFile file(outsideFile(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

TEST(ConfinedPath, OnlyTheCourseFolderAndNoLinkOnTheWay)
{
    LinkedCourse linked;
    const QString here = QDir::currentPath();
    const struct {
        QString name;
        ConfinedKind kind;
        bool allowed;
    } cases[] = {
        {"Users.eng", ConfinedKind::File, true},
        {"Report\\Ann\\Ann.rep", ConfinedKind::File, true},
        {here + "\\Report\\Ann\\Ann.rep", ConfinedKind::File, true},
        {"Report\\New\\", ConfinedKind::Folder, true},          // not made yet
        {"Report\\Ann\\Ann7.wav", ConfinedKind::File, true},    // the link itself is replaced, not followed
        {"/tmp/x/Ann7.wav", ConfinedKind::File, false},
        {"..\\outside\\Ann7.wav", ConfinedKind::File, false},
        {"Report\\..\\..\\Ann7.wav", ConfinedKind::File, false},
        {"", ConfinedKind::File, false},
        {"Report\\Linked\\Ann7.wav", ConfinedKind::File, false}, // through a linked folder
        {"Report\\Linked\\", ConfinedKind::Folder, false},
        {"Report\\Ann\\Ann7.wav", ConfinedKind::Folder, false},
    };
    for (const auto &c : cases) {
        bool allowed = true;
        try {
            const QString path = confinedPath(c.name, c.kind);
            EXPECT_TRUE(path.startsWith(here + u'/')) << path.toStdString();
        } catch (const CourseError &error) {
            allowed = false;
            EXPECT_EQ(error.file(), c.name);
        }
        EXPECT_EQ(allowed, c.allowed) << c.name.toStdString();
    }
    EXPECT_TRUE(insideReportFolder("Report\\Ann\\Ann.rep"));
    EXPECT_FALSE(insideReportFolder("Users.eng"));
}

TEST(ConfinedPath, WritersNeitherWriteNorDeleteThroughALink)
{
    LinkedCourse linked;
    // A save in a linked learner folder is refused; a linked recording is replaced by the
    // file itself, and deleting it removes only the link.
    EXPECT_THROW(replaceFileAtomically("Report\\Linked\\Ann7.wav", "new"), CourseError);
    EXPECT_THROW(createFolders("Report\\Linked\\sub\\"), CourseError);
    replaceFileAtomically("Report\\Ann\\Ann7.wav", "new");
    EXPECT_FALSE(QFileInfo(linked.course.absolute("Report/Ann/Ann7.wav")).isSymLink());
    EXPECT_EQ(linked.course.readBytes("Report/Ann/Ann7.wav"), QByteArray("new"));
    QFile::remove(linked.course.absolute("Report/Ann/Ann7.wav"));
    QFile::link(linked.outsideFile("precious.wav"), linked.course.absolute("Report/Ann/Ann7.wav"));
    EXPECT_TRUE(deleteFile("Report\\Ann\\Ann7.wav"));
    EXPECT_FALSE(deleteFile("Report\\Linked\\precious.wav"));
    EXPECT_FALSE(deleteFile(linked.outsideFile("precious.wav")));
    EXPECT_FALSE(QFileInfo::exists(linked.course.absolute("Report/Ann/Ann7.wav")));
    EXPECT_EQ(linked.readOutside("precious.wav"), QByteArray("keep me"));
    EXPECT_EQ(QDir(linked.outside.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"precious.wav"});
}

} // namespace

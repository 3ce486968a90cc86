#include "TextWorkCourse.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Pairs = QList<std::pair<int, int>>;

Pairs pairs(const QList<Segment> &table)
{
    Pairs list;
    for (const Segment &s : table)
        list.append({s.startMs, s.endMs});
    return list;
}

TEST(TextWorkFiles, ReadsEveryTableOfAText)
{
    TempCourse course;
    TextWorkSources sources = writeTextWork(course);
    sources.learnerRecording = "user5.wav";
    TextWorkFiles files;

    ASSERT_TRUE(files.load(sources));

    EXPECT_EQ(files.lineCount(), 6);
    EXPECT_EQ(files.translation[5], "Четыре.");
    // "#" lines read as 0, 0; entry 0 stays empty.
    EXPECT_EQ(pairs(files.courseTiming), Pairs({{0, 0}, {0, 0}, {500, 1000}, {1000, 2000}, {0, 0}, {2000, 3000}, {3000, 4000}}));
    EXPECT_TRUE(files.hasCue);
    EXPECT_EQ(pairs(files.learnerTiming).value(6), std::pair(4000, 5000));
    ASSERT_EQ(files.pictures.size(), 4);
    EXPECT_EQ(files.pictures[3].PictureFile, "p3.jpg");
    EXPECT_EQ(files.pictures[3].ToMs, 4000);
    EXPECT_TRUE(files.pictures[2].PictureFile.isEmpty());
    ASSERT_EQ(files.comments.size(), 3);
    EXPECT_EQ(files.comments[1].Number, 2);
    EXPECT_EQ(files.comments[1].Text, "Second.");
}

TEST(TextWorkFiles, NamesTheCueAndCommentFilesAfterTheirFiles)
{
    EXPECT_EQ(TextWorkFiles::cueFileName("Report\\Ann\\Ann5.wav"), "Report\\Ann\\Ann5.txt");
    EXPECT_EQ(TextWorkFiles::commentFileName("____Data\\lesson1.txt"), "____Data\\lesson1.apc");
}

struct CommentCase {
    QByteArray line;
    int number;
    QString text;
};

TEST(TextWorkFiles, CommentLinesLoseTheirLastCharacter)
{
    for (const CommentCase &c : {CommentCase{"012Hello!x", 12, "Hello!"}, CommentCase{"007ab", 7, "a"},
                                 CommentCase{"003a", 3, ""}, CommentCase{"  9", 9, ""}}) {
        SCOPED_TRACE(c.line.constData());
        const SyntagmComment comment = TextWorkFiles::parseComment(c.line);
        EXPECT_EQ(comment.Number, c.number);
        EXPECT_EQ(comment.Text, c.text);
    }
}

// A damaged or missing file ends the reading there: false, the file named, and the tables as
// read so far, never longer than the text.
struct DamageCase {
    const char *name;
    const char *file;
    QList<QString> lines; // empty: the file is removed
    int lineCount;
    int timingRead;       // course timing entries read (non-zero) before the failure
    bool learnerRead;
    bool hasCue;
    bool picturesRead;
};

class TextWorkDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(TextWorkDamage, KeepsWhatWasRead)
{
    const DamageCase &c = GetParam();
    TempCourse course;
    TextWorkSources sources = writeTextWork(course);
    sources.learnerRecording = "user5.wav";
    if (c.lines.isEmpty()) {
        QFile::remove(course.absolute(c.file));
    } else {
        QByteArray bytes;
        for (const QString &line : c.lines)
            bytes += cp1251(line) + "\r\n";
        course.writeBytes(c.file, bytes);
    }
    TextWorkFiles files;

    EXPECT_FALSE(files.load(sources));

    // The message names the file that stopped the reading.
    EXPECT_TRUE(files.loadProblem.startsWith(QString::fromLatin1(c.file))) << files.loadProblem.toStdString();
    EXPECT_EQ(files.lineCount(), c.lineCount);
    EXPECT_EQ(files.courseTiming.size(), c.lineCount + 1);
    EXPECT_EQ(files.learnerTiming.size(), c.lineCount + 1);
    const int read = int(std::count_if(files.courseTiming.cbegin(), files.courseTiming.cend(),
                                       [](const Segment &s) { return s.endMs != 0; }));
    EXPECT_EQ(read, c.timingRead);
    EXPECT_EQ(files.hasCue, c.hasCue);
    EXPECT_EQ(files.learnerTiming.value(2).endMs != 0, c.learnerRead);
    EXPECT_EQ(files.pictures.size() > 1, c.picturesRead);
    EXPECT_TRUE(files.comments.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextWorkDamage,
    ::testing::Values(
        DamageCase{"MissingText", "text.txt", {}, 0, 0, false, false, false},
        DamageCase{"TimingLongerThanText", "time.txt", {"#", "1\t2", "3\t4", "5\t6", "7\t8", "9\t10", "11\t12"}, 6, 5, false, false, false},
        DamageCase{"BadTimingNumber", "time.txt", {"#", "500\t1000", "1x\t2000"}, 6, 1, false, false, false},
        DamageCase{"CueLongerThanText", "user5.txt", {"#", "1\t2", "3\t4", "5\t6", "7\t8", "9\t10", "11\t12"}, 6, 4, true, false, false},
        DamageCase{"PictureLineWithoutFile", "pictures.txt", {"0\t1000"}, 6, 4, true, true, true},
        DamageCase{"MissingPictureList", "pictures.txt", {}, 6, 4, true, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextWorkFiles, CommentFileIsOptional)
{
    TempCourse course;
    const TextWorkSources sources = writeTextWork(course);
    QFile::remove(course.absolute("text.apc"));
    TextWorkFiles files;

    EXPECT_TRUE(files.load(sources));
    EXPECT_TRUE(files.comments.isEmpty());
}

// An entry without pictures reaches the window with the data folder as its picture list.
TEST(TextWorkFiles, AFolderForThePictureListMeansNoPictures)
{
    TempCourse course;
    TextWorkSources sources = writeTextWork(course);
    QDir().mkdir("____Data");
    for (const char *name : {"____Data\\", "____Data", ""}) {
        SCOPED_TRACE(name);
        sources.pictureListFile = QString::fromLatin1(name);
        TextWorkFiles files;

        EXPECT_TRUE(files.load(sources));
        EXPECT_EQ(files.pictures.size(), 1);
        EXPECT_EQ(files.comments.size(), 3) << "reading goes on after it";
    }
}

} // namespace

#include "exercises/VocabularyFiles.h"
#include "support/TempCourse.h"

#include "core/CourseError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sys/stat.h>

namespace {

struct Expected {
    QString expression;
    QString translation;
    qint32 start;
    qint32 end;
};

void expectEntries(const QList<VocabularyEntry> &entries, const QList<Expected> &expected)
{
    ASSERT_EQ(entries.size(), expected.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].expression, expected[i].expression) << i;
        EXPECT_EQ(entries[i].translation, expected[i].translation) << i;
        EXPECT_EQ(entries[i].start, expected[i].start) << i;
        EXPECT_EQ(entries[i].end, expected[i].end) << i;
    }
}

// The error a read raised, if any.
std::optional<CourseError> readError(const VocabularyFiles &files, QList<VocabularyEntry> &entries)
{
    try {
        readVocabulary(files, entries);
    } catch (const CourseError &error) {
        return error;
    }
    return std::nullopt;
}

const VocabularyFiles Files{QStringLiteral("words.txt"), QStringLiteral("trans.txt"), QStringLiteral("words.seg"),
                            QStringLiteral("words.wav")};

TEST(VocabularyFiles, ParallelLinesMakeOneEntryEachWithItsSegment)
{
    // GIVEN an expression file with an empty line, its translations and segments
    TempCourse course;
    course.writeLines("words.txt", {"a birthday", "", "to go shopping"});
    course.writeLines("trans.txt", {"день рождения", "пусто", "ходить по магазинам"});
    course.writeLines("words.seg", {"1200\t2500", "0\t0", " 2600\t-5"});

    // WHEN they are read
    QList<VocabularyEntry> entries;
    EXPECT_FALSE(readError(Files, entries));

    // THEN line i of each file is entry i, the empty line included
    expectEntries(entries, {{"a birthday", "день рождения", 1200, 2500},
                            {"", "пусто", 0, 0},
                            {"to go shopping", "ходить по магазинам", 2600, -5}});
}

TEST(VocabularyFiles, OldLineRulesHold)
{
    // GIVEN LF and CR LF endings mixed, no ending on the last line, and a Ctrl-Z after it
    TempCourse course;
    course.writeBytes("words.txt", "one\ntwo\r\nthree\x1Ajunk\n");
    course.writeBytes("trans.txt", cp1251("один\r\nдва\nтри"));

    QList<VocabularyEntry> entries;
    EXPECT_FALSE(readError({"words.txt", "trans.txt", "", ""}, entries));

    expectEntries(entries, {{"one", "один", 0, 0}, {"two", "два", 0, 0}, {"three", "три", 0, 0}});
}

TEST(VocabularyFiles, ShorterTranslationAndSegmentFilesLeaveTheRestEmpty)
{
    TempCourse course;
    course.writeLines("words.txt", {"one", "two", "three"});
    course.writeLines("trans.txt", {"один"});
    course.writeLines("words.seg", {"10\t20", "30\t40"});

    QList<VocabularyEntry> entries;
    EXPECT_FALSE(readError(Files, entries));

    expectEntries(entries, {{"one", "один", 10, 20}, {"two", "", 30, 40}, {"three", "", 0, 0}});
}

TEST(VocabularyFiles, DamagedFilesRaiseTheirFileAndLineAndKeepWhatWasRead)
{
    struct Case {
        const char *what;
        std::function<void(TempCourse &)> damage;
        QString file;
        int line;
        QList<Expected> kept;
    };
    const QList<Expected> expressionsOnly{{"one", "", 0, 0}, {"two", "", 0, 0}};
    const QList<Expected> translated{{"one", "один", 0, 0}, {"two", "два", 0, 0}};
    const QList<Expected> firstSegment{{"one", "один", 10, 20}, {"two", "два", 0, 0}};
    const Case cases[] = {
        {"missing expression file", [](TempCourse &c) { QFile::remove(c.absolute("words.txt")); },
         "words.txt", 0, {}},
        {"empty expression file", [](TempCourse &c) { c.writeBytes("words.txt", {}); }, "words.txt", 0, {}},
        {"missing translation file", [](TempCourse &c) { QFile::remove(c.absolute("trans.txt")); }, "trans.txt", 0,
         expressionsOnly},
        {"more translations than expressions",
         [](TempCourse &c) { c.writeLines("trans.txt", {"один", "два", "три", "четыре"}); }, "trans.txt", 3,
         translated},
        {"missing segment file", [](TempCourse &c) { QFile::remove(c.absolute("words.seg")); }, "words.seg", 0,
         translated},
        {"segment line without TAB", [](TempCourse &c) { c.writeLines("words.seg", {"10\t20", "30 40"}); },
         "words.seg", 2, firstSegment},
        {"segment end not a number", [](TempCourse &c) { c.writeLines("words.seg", {"10\t20", "30\t4O"}); },
         "words.seg", 2, firstSegment},
        {"segment start empty", [](TempCourse &c) { c.writeLines("words.seg", {"10\t20", "\t40"}); }, "words.seg", 2,
         firstSegment},
        {"segment beyond 32 bits", [](TempCourse &c) { c.writeLines("words.seg", {"10\t20", "0\t2147483648"}); },
         "words.seg", 2, firstSegment},
        {"more segments than expressions",
         [](TempCourse &c) { c.writeLines("words.seg", {"10\t20", "0\t0", "x"}); }, "words.seg", 3,
         {{"one", "один", 10, 20}, {"two", "два", 0, 0}}},
    };
    for (const Case &c : cases) {
        // GIVEN two good expressions and their translations, with one file damaged
        TempCourse course;
        course.writeLines("words.txt", {"one", "two"});
        course.writeLines("trans.txt", {"один", "два"});
        course.writeLines("words.seg", {"10\t20"});
        c.damage(course);

        // WHEN they are read
        QList<VocabularyEntry> entries;
        const std::optional<CourseError> error = readError(Files, entries);

        // THEN the error names the file (and the line), and what came before it stays
        ASSERT_TRUE(error) << c.what;
        EXPECT_EQ(error->file(), c.file) << c.what;
        EXPECT_EQ(error->line(), c.line) << c.what;
        SCOPED_TRACE(c.what);
        expectEntries(entries, c.kept);
    }
}

TEST(VocabularyFiles, NoSegmentFileNamedGivesZeroPositions)
{
    TempCourse course;
    course.writeLines("words.txt", {"one"});
    course.writeLines("trans.txt", {"один"});

    QList<VocabularyEntry> entries;
    EXPECT_FALSE(readError({"words.txt", "trans.txt", "", "words.wav"}, entries));

    expectEntries(entries, {{"one", "один", 0, 0}});
}

TEST(VocabularyFiles, HugeFilesAreRefusedWithoutReadingThemWhole)
{
    // GIVEN an expression file of more lines than any lesson has
    TempCourse course;
    course.writeBytes("words.txt", QByteArray(MaxVocabularyEntries + 5, '\n'));
    course.writeBytes("trans.txt", {});
    QList<VocabularyEntry> entries;

    // THEN the first lines are kept and the next one is the error
    std::optional<CourseError> error = readError({"words.txt", "trans.txt", "", ""}, entries);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line(), MaxVocabularyEntries + 1);
    EXPECT_EQ(entries.size(), MaxVocabularyEntries);

    // AND a file larger than a vocabulary file can be is not read at all
    course.writeBytes("words.txt", QByteArray(MaxVocabularyFileBytes + 1, 'a'));
    error = readError({"words.txt", "trans.txt", "", ""}, entries);
    ASSERT_TRUE(error);
    EXPECT_TRUE(entries.isEmpty());
}

TEST(VocabularyFiles, FolderInPlaceOfAFileIsAReadError)
{
    TempCourse course;
    course.writeLines("words.txt", {"one"});
    course.writeLines("trans.txt", {"один"});
    QList<VocabularyEntry> entries;
    // The dispatcher passes the data folder itself for an empty File2.
    QDir().mkdir(course.absolute("____Data"));
    EXPECT_TRUE(readError({"words.txt", "____Data\\", "", ""}, entries));
    expectEntries(entries, {{"one", "", 0, 0}});
}

TEST(VocabularyFiles, PipeInPlaceOfAFileIsAReadErrorAndNoWait)
{
    // GIVEN a translation file that is a named pipe nobody writes to
    TempCourse course;
    course.writeLines("words.txt", {"one"});
    ASSERT_EQ(mkfifo(QFile::encodeName(course.absolute("trans.txt")).constData(), 0600), 0);

    // WHEN the files are read, THEN the pipe is an error at once
    QList<VocabularyEntry> entries;
    const std::optional<CourseError> error = readError({"words.txt", "trans.txt", "", ""}, entries);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->file(), "trans.txt");
    expectEntries(entries, {{"one", "", 0, 0}});
}

} // namespace

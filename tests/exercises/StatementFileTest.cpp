#include "exercises/QuestionFile.h"
#include "exercises/StatementFile.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

struct StatementCase {
    QByteArray line;
    QString statement;
    bool isTrue;
};

// GIVEN one statement line WHEN the file is read THEN the text before the first TAB is the
// statement, and a '0' right after that TAB makes it true.
TEST(StatementFile, TheMarkAfterTheFirstTabTellsTrueFromFalse)
{
    const StatementCase cases[] = {
        {"Tom lives in London.\t0", "Tom lives in London.", true},
        {"Tom is a doctor.\t1", "Tom is a doctor.", false},
        {"Any other mark is false.\tx", "Any other mark is false.", false},
        {"A second tab\t0\t1", "A second tab", true},
        {"Only the first character counts\t01", "Only the first character counts", true},
        {"A space before the mark\t 0", "A space before the mark", false},
        {"No mark after the tab\t", "No mark after the tab", false},
        {"No tab at all 0", "No tab at all 0", false},
        {"\t0", "", true},
        {"", "", false},
    };
    for (const StatementCase &c : cases) {
        TempCourse course;
        course.writeBytes("st.txt", c.line + "\r\n");
        QList<StatementEntry> entries;

        readStatementFile("st.txt", entries);

        ASSERT_EQ(entries.size(), 2) << c.line.constData();
        EXPECT_EQ(entries[1].statement, c.statement) << c.line.constData();
        EXPECT_EQ(entries[1].isTrue, c.isTrue) << c.line.constData();
        EXPECT_FALSE(entries[1].done);
    }
}

TEST(StatementFile, StatementsAreCp1251CutTo255Characters)
{
    TempCourse course;
    const QString longStatement = QString(300, QChar(u'ю'));
    course.writeLines("st.txt", {longStatement + "\t0", QStringLiteral("Это правда.\t1")});
    QList<StatementEntry> entries;

    readStatementFile("st.txt", entries);

    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].statement, longStatement.left(255));
    EXPECT_TRUE(entries[1].isTrue);
    EXPECT_EQ(entries[2].statement, QStringLiteral("Это правда."));
}

TEST(StatementFile, AMissingOrHugeFileFails)
{
    TempCourse course;
    QList<StatementEntry> entries(4);
    EXPECT_THROW(readStatementFile("missing.txt", entries), CourseError);
    EXPECT_EQ(entries.size(), 1);

    course.writeBytes("st.txt", QByteArray(MaxQuestionItems + 1, '\n'));
    EXPECT_THROW(readStatementFile("st.txt", entries), CourseError);
    EXPECT_EQ(entries.size(), MaxQuestionItems + 1);
}

} // namespace

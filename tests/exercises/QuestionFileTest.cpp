#include "exercises/QuestionFile.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

QStringList questionsOf(const QList<QuestionEntry> &entries)
{
    QStringList questions;
    for (const QuestionEntry &entry : entries)
        questions << entry.question;
    return questions;
}

// GIVEN a question file WHEN it is read THEN line i is question i, entry 0 holds none.
TEST(QuestionFile, EveryLineIsAQuestionEmptyOnesIncluded)
{
    TempCourse course;
    course.writeBytes("____Data/q.txt", cp1251("Who is Tom?\r\n\r\nWhere does he live?\nКто?"));
    QList<QuestionEntry> entries;

    readQuestionFile("____Data\\q.txt", entries);

    EXPECT_EQ(questionsOf(entries),
              QStringList({"", "Who is Tom?", "", "Where does he live?", QStringLiteral("Кто?")}));
    for (const QuestionEntry &entry : entries) {
        EXPECT_FALSE(entry.done);
        EXPECT_EQ(entry.answerCount, 0);
    }
}

TEST(QuestionFile, LongLinesAreCutTo255Characters)
{
    TempCourse course;
    const QString longLine = QString(300, QChar(u'ж'));
    course.writeLines("q.txt", {longLine, QString(255, 'a')});
    QList<QuestionEntry> entries;

    readQuestionFile("q.txt", entries);

    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].question, longLine.left(255));
    EXPECT_EQ(entries[2].question, QString(255, 'a'));
}

TEST(QuestionFile, AMissingOrEmptyFileLeavesNoQuestions)
{
    TempCourse course;
    course.writeBytes("empty.txt", "");
    QList<QuestionEntry> entries(5);

    EXPECT_THROW(readQuestionFile("missing.txt", entries), CourseError);
    EXPECT_EQ(entries.size(), 1);

    readQuestionFile("empty.txt", entries);
    EXPECT_EQ(entries.size(), 1);
}

TEST(QuestionFile, AHugeNumberOfLinesIsRefusedKeepingTheFirstOnes)
{
    TempCourse course;
    course.writeBytes("q.txt", QByteArray(MaxQuestionItems + 5, '\n'));
    QList<QuestionEntry> entries;

    EXPECT_THROW(readQuestionFile("q.txt", entries), CourseError);
    EXPECT_EQ(entries.size(), MaxQuestionItems + 1);
}

} // namespace

#include "exercises/AnswerFile.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QStringList answersOf(const QuestionEntry &entry)
{
    QStringList answers;
    for (int i = 0; i < entry.answerCount; ++i)
        answers << entry.answers[i];
    return answers;
}

// GIVEN `questions` questions and an answer file WHEN it is read THEN the groups land on
// their questions; `failLine` is the line of the expected read failure.
struct AnswerCase {
    const char *name;
    int questions;
    QByteArray file;
    QList<QStringList> groups; // entries 0..questions
    std::optional<int> failLine;
};

class AnswerFileCases : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerFileCases, GroupsFollowTheHashLines)
{
    const AnswerCase &c = GetParam();
    TempCourse course;
    course.writeBytes("a.txt", c.file);
    QList<QuestionEntry> entries(c.questions + 1);

    std::optional<int> failLine;
    try {
        readAnswerFile("a.txt", entries);
    } catch (const CourseError &error) {
        failLine = error.line();
        EXPECT_EQ(error.file(), QStringLiteral("a.txt"));
    }

    EXPECT_EQ(failLine, c.failLine);
    ASSERT_EQ(entries.size(), c.questions + 1);
    for (int i = 0; i <= c.questions; ++i)
        EXPECT_EQ(answersOf(entries[i]), c.groups.value(i)) << "entry " << i;
}

INSTANTIATE_TEST_SUITE_P(
    AnswerFile, AnswerFileCases,
    ::testing::Values(
        AnswerCase{"TwoGroups", 2, "#1\r\nright\r\nwrong a\r\nwrong b\r\n# 2 ignored\r\nyes\r\nno\r\n",
                   {{}, {"right", "wrong a", "wrong b"}, {"yes", "no"}}, std::nullopt},
        AnswerCase{"LinesBeforeTheFirstHashBelongToNoQuestion", 1, "stray\r\n#\r\nright\r\n",
                   {{"stray"}, {"right"}}, std::nullopt},
        AnswerCase{"AGroupWithoutAnswers", 2, "#\r\n#\r\nonly\r\n", {{}, {}, {"only"}}, std::nullopt},
        AnswerCase{"FewerGroupsThanQuestions", 3, "#\r\na\r\n", {{}, {"a"}}, std::nullopt},
        AnswerCase{"AnEmptyLineFails", 2, "#\r\na\r\n\r\nb\r\n", {{}, {"a"}}, 3},
        AnswerCase{"AFifthAnswerFailsKeepingFour", 1, "#\na\nb\nc\nd\ne\n", {{}, {"a", "b", "c", "d"}}, 6},
        AnswerCase{"AFifthLineBeforeTheFirstHashFails", 1, "a\nb\nc\nd\ne\n#\nx\n", {{"a", "b", "c", "d"}}, 5},
        AnswerCase{"MoreGroupsThanQuestionsFailAtTheSurplus", 1, "#\na\n#\nb\n", {{}, {"a"}}, 3},
        AnswerCase{"NoQuestionsTakeNoGroup", 0, "#\na\n", {}, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AnswerFile, AnswersAreCp1251CutTo255Characters)
{
    TempCourse course;
    const QString longAnswer = QString(256, QChar(u'я'));
    course.writeLines("a.txt", {"#", longAnswer, QStringLiteral("Нет")});
    QList<QuestionEntry> entries(2);

    readAnswerFile("a.txt", entries);

    EXPECT_EQ(answersOf(entries[1]), QStringList({longAnswer.left(255), QStringLiteral("Нет")}));
}

TEST(AnswerFile, AMissingFileLeavesTheQuestionsWithoutAnswers)
{
    TempCourse course;
    QList<QuestionEntry> entries(3);
    EXPECT_THROW(readAnswerFile("missing.txt", entries), CourseError);
    EXPECT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].answerCount, 0);
}

} // namespace

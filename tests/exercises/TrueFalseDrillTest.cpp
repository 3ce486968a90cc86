#include "exercises/TrueFalseDrill.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <set>

namespace {

StatementEntry statement(const QString &text, bool isTrue)
{
    StatementEntry entry;
    entry.statement = text;
    entry.isTrue = isTrue;
    return entry;
}

TrueFalseDrill started(const QList<StatementEntry> &statements, quint32 seed = 1)
{
    QList<StatementEntry> entries{StatementEntry{}};
    entries += statements;
    TrueFalseDrill drill(entries, seed);
    drill.start();
    return drill;
}

// GIVEN one statement WHEN it is answered THEN the error count and its result row follow
// whether the answer was right, not which button was chosen.
TEST(TrueFalseDrill, TheResultTellsWhetherTheAnswerWasRight)
{
    struct Case {
        bool isTrue;
        bool yes;
        int errors;
        TrueFalseResultRow row;
    };
    for (const Case &c : {Case{true, true, 0, {"S", "Да", "Да"}}, Case{true, false, 1, {"S", "Да", "Нет"}},
                          Case{false, false, 0, {"S", "Нет", "Да"}}, Case{false, true, 1, {"S", "Нет", "Нет"}}}) {
        TrueFalseDrill drill = started({statement("S", c.isTrue)});

        const std::optional<TrueFalseDrill::Outcome> outcome = drill.answer(c.yes);

        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->right, c.errors == 0);
        EXPECT_TRUE(outcome->finished);
        EXPECT_EQ(drill.errors(), c.errors);
        const QList<TrueFalseResultRow> rows = drill.results();
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows[0].statement, c.row.statement);
        EXPECT_EQ(rows[0].rightAnswer, c.row.rightAnswer);
        EXPECT_EQ(rows[0].answeredRight, c.row.answeredRight);
    }
}

TEST(TrueFalseDrill, EveryStatementIsAnsweredOnceAndTheNthAnswerFinishes)
{
    QList<StatementEntry> statements;
    for (int i = 1; i <= 5; ++i)
        statements << statement(QString("S%1").arg(i), i % 2 == 0);
    TrueFalseDrill drill = started(statements, 11);

    std::multiset<int> answered;
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(drill.statementsLeft(), 5 - n);
        answered.insert(drill.currentIndex());
        const auto outcome = drill.answer(true);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->finished, n == 4);
    }

    EXPECT_EQ(answered, (std::multiset<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(drill.errors(), 3);
    EXPECT_FALSE(drill.answer(true).has_value()) << "a finished run takes no more answers";
}

TEST(TrueFalseDrill, SkippingChangesNoCounterAndTheSkippedStatementMayComeAgain)
{
    TrueFalseDrill drill = started({statement("A", true), statement("B", false)}, 5);
    std::set<int> seen;
    for (int skips = 0; skips < 50; ++skips) {
        drill.selectNext();
        seen.insert(drill.currentIndex());
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2}));
    EXPECT_EQ(drill.statementsLeft(), 2);
    EXPECT_EQ(drill.errors(), 0);

    drill.answer(true);
    for (int skips = 0; skips < 10; ++skips) {
        drill.selectNext();
        EXPECT_FALSE(drill.entry(drill.currentIndex()).done) << "an answered statement does not come again";
    }
}

TEST(TrueFalseDrill, TheResultsShowAtMost49Statements)
{
    QList<StatementEntry> statements;
    for (int i = 1; i <= 60; ++i)
        statements << statement(QString("S%1").arg(i), true);
    TrueFalseDrill drill = started(statements);
    for (int n = 0; n < 60; ++n)
        drill.answer(true);

    const QList<TrueFalseResultRow> rows = drill.results();

    ASSERT_EQ(rows.size(), 49);
    EXPECT_EQ(rows.front().statement, "S1");
    EXPECT_EQ(rows.back().statement, "S49");
}

TEST(TrueFalseDrill, AnEmptyExerciseHasNothingToAnswer)
{
    TrueFalseDrill drill;
    drill.start();
    EXPECT_EQ(drill.currentIndex(), 0);
    EXPECT_EQ(drill.statement(), QString());
    EXPECT_FALSE(drill.answer(true).has_value());
    EXPECT_TRUE(drill.results().isEmpty());
}

TEST(TrueFalseDrill, LoadsStatementsAndStretchesAndNeedsTheSecondFile)
{
    TempCourse course;
    course.writeLines("st.txt", {"Tom is young.\t0", "Ann is old.\t1"});
    course.writeLines("q.txt", {"anything"});
    course.writeLines("s.txt", {"0\t700", "700\t1500"});
    TrueFalseDrill drill(1);

    drill.load("st.txt", "q.txt", "s.txt");

    ASSERT_EQ(drill.statementCount(), 2);
    EXPECT_TRUE(drill.entry(1).isTrue);
    EXPECT_EQ(drill.entry(2).start, 700);

    TrueFalseDrill withoutSecond(1);
    EXPECT_THROW(withoutSecond.load("st.txt", "missing.txt", "s.txt"), CourseError);
    EXPECT_EQ(withoutSecond.statementCount(), 2) << "the statements read stay";
    EXPECT_EQ(withoutSecond.entry(2).start, 0) << "the segment file comes after the second file";
}

} // namespace

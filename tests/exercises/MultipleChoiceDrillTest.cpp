#include "exercises/MultipleChoiceDrill.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

using Verdict = MultipleChoiceDrill::Verdict;

QuestionEntry question(const QString &text, const QStringList &answers)
{
    QuestionEntry entry;
    entry.question = text;
    entry.answerCount = int(answers.size());
    for (int i = 0; i < answers.size(); ++i)
        entry.answers[i] = answers[i];
    return entry;
}

// A drill of the given questions (entry 0 added), started.
MultipleChoiceDrill started(const QList<QuestionEntry> &questions, quint32 seed = 1)
{
    QList<QuestionEntry> entries{QuestionEntry{}};
    entries += questions;
    MultipleChoiceDrill drill(entries, seed);
    drill.start();
    return drill;
}

// Marks a slot that does not show the right answer.
void markWrong(MultipleChoiceDrill &drill)
{
    const int wrong = drill.rightSlot() == 1 ? 2 : 1;
    if (drill.markedSlot() != wrong)
        drill.clickMark(wrong);
}

void markRight(MultipleChoiceDrill &drill)
{
    if (drill.markedSlot() != drill.rightSlot())
        drill.clickMark(drill.rightSlot());
}

TEST(MultipleChoiceDrill, AStartedRunShowsAQuestionWithSlotOneMarked)
{
    MultipleChoiceDrill drill = started({question("Q1", {"a", "b", "c"})});

    EXPECT_EQ(drill.questionCount(), 1);
    EXPECT_EQ(drill.questionsLeft(), 1);
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_EQ(drill.currentIndex(), 1);
    EXPECT_EQ(drill.question(), "Q1");
    EXPECT_EQ(drill.slotCount(), 3);
    EXPECT_EQ(drill.markedSlot(), 1);
    EXPECT_EQ(drill.slotAnswer(4), QString());
}

// The right answer is answer 1 of its group wherever the shuffle puts it, and the slots show
// each answer once.
TEST(MultipleChoiceDrill, TheRightSlotAlwaysShowsAnswerOne)
{
    const QStringList answers{"right", "w1", "w2", "w3"};
    std::set<int> rightSlotsSeen;
    for (quint32 seed = 0; seed < 200; ++seed) {
        MultipleChoiceDrill drill = started({question("Q", answers)}, seed);
        ASSERT_GE(drill.rightSlot(), 1);
        EXPECT_EQ(drill.slotAnswer(drill.rightSlot()), "right");
        QStringList shown;
        for (int slot = 1; slot <= 4; ++slot)
            shown << drill.slotAnswer(slot);
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, QStringList({"right", "w1", "w2", "w3"}));
        rightSlotsSeen.insert(drill.rightSlot());
    }
    EXPECT_EQ(rightSlotsSeen, (std::set<int>{1, 2, 3, 4})) << "the answers are shuffled";
}

// GIVEN a question with `answers` answers WHEN the learner confirms the marks of `tries`
// (true: right) THEN the verdicts and the error count follow the wrong-once rule.
struct ConfirmCase {
    const char *name;
    int answers;
    std::vector<bool> tries;
    std::vector<Verdict> verdicts;
    int errors;
};

class ConfirmCases : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(ConfirmCases, WrongOnceRule)
{
    const ConfirmCase &c = GetParam();
    const QStringList all{"right", "w1", "w2", "w3"};
    MultipleChoiceDrill drill = started({question("Q", all.mid(0, c.answers)), question("Q2", all.mid(0, c.answers))});
    const int first = drill.currentIndex();

    std::vector<Verdict> verdicts;
    for (bool right : c.tries) {
        right ? markRight(drill) : markWrong(drill);
        verdicts.push_back(drill.confirm().verdict);
    }

    EXPECT_EQ(verdicts, c.verdicts);
    EXPECT_EQ(drill.errors(), c.errors);
    EXPECT_EQ(drill.questionsLeft(), 1);
    EXPECT_TRUE(drill.entries()[first].done);
    EXPECT_NE(drill.currentIndex(), first) << "a question dealt with is not asked again";
    EXPECT_FALSE(drill.wrongOnce());
    EXPECT_EQ(drill.markedSlot(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    MultipleChoiceDrill, ConfirmCases,
    ::testing::Values(ConfirmCase{"RightAtOnce", 4, {true}, {Verdict::Right}, 0},
                      ConfirmCase{"FourAnswersWrongThenRight", 4, {false, true}, {Verdict::TryAgain, Verdict::Right}, 0},
                      ConfirmCase{"ThreeAnswersWrongTwice", 3, {false, false}, {Verdict::TryAgain, Verdict::Wrong}, 1},
                      ConfirmCase{"TwoAnswersWrongOnceShowsTheRightOne", 2, {false}, {Verdict::Wrong}, 1},
                      ConfirmCase{"TwoAnswersRight", 2, {true}, {Verdict::Right}, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MultipleChoiceDrill, ASecondWrongAnswerGivesAnswerOneOfTheGroup)
{
    MultipleChoiceDrill drill = started({question("Q", {"the right one", "w1", "w2"})});
    markWrong(drill);
    ASSERT_EQ(drill.confirm().verdict, Verdict::TryAgain);
    EXPECT_TRUE(drill.wrongOnce());

    markWrong(drill);
    const MultipleChoiceDrill::Outcome outcome = drill.confirm();

    EXPECT_EQ(outcome.verdict, Verdict::Wrong);
    EXPECT_EQ(outcome.rightAnswer, "the right one");
    EXPECT_TRUE(outcome.finished);
}

TEST(MultipleChoiceDrill, AFirstWrongAnswerKeepsTheQuestionAndTheMark)
{
    MultipleChoiceDrill drill = started({question("Q", {"r", "a", "b", "c"}), question("Q2", {"r", "a", "b", "c"})});
    const int current = drill.currentIndex();
    markWrong(drill);
    const int marked = drill.markedSlot();
    const int rightSlot = drill.rightSlot();

    drill.confirm();

    EXPECT_EQ(drill.currentIndex(), current);
    EXPECT_EQ(drill.markedSlot(), marked);
    EXPECT_EQ(drill.rightSlot(), rightSlot);
    EXPECT_EQ(drill.questionsLeft(), 2);
}

TEST(MultipleChoiceDrill, ClickingTheMarkedAnswerClearsItAndConfirmingThenIsWrong)
{
    MultipleChoiceDrill drill = started({question("Q", {"only"})});
    ASSERT_EQ(drill.rightSlot(), 1);
    drill.clickMark(3);
    EXPECT_EQ(drill.markedSlot(), 3);
    drill.clickMark(1);
    EXPECT_EQ(drill.markedSlot(), 1);

    drill.clickMark(1);

    EXPECT_EQ(drill.markedSlot(), 0);
    EXPECT_EQ(drill.confirm().verdict, Verdict::Wrong);
    EXPECT_EQ(drill.errors(), 1);
}

TEST(MultipleChoiceDrill, EveryQuestionIsAskedOnceAndTheLastConfirmationFinishes)
{
    QList<QuestionEntry> questions;
    for (int i = 1; i <= 6; ++i)
        questions << question(QString("Q%1").arg(i), {"r", "w"});
    MultipleChoiceDrill drill = started(questions, 7);

    std::multiset<int> asked;
    MultipleChoiceDrill::Outcome outcome;
    for (int answered = 0; answered < 6; ++answered) {
        ASSERT_FALSE(outcome.finished);
        asked.insert(drill.currentIndex());
        markRight(drill);
        outcome = drill.confirm();
        EXPECT_EQ(drill.questionsLeft(), 5 - answered);
    }

    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(asked, (std::multiset<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_EQ(drill.confirm().verdict, Verdict::Nothing) << "a finished run takes no more answers";
}

TEST(MultipleChoiceDrill, AQuestionWithoutAnswersCountsAWrongConfirmation)
{
    MultipleChoiceDrill drill = started({question("Bare", {})});

    EXPECT_EQ(drill.slotCount(), 0);
    EXPECT_EQ(drill.rightSlot(), 0);
    const MultipleChoiceDrill::Outcome outcome = drill.confirm();

    EXPECT_EQ(outcome.verdict, Verdict::Wrong);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(drill.errors(), 1);
}

TEST(MultipleChoiceDrill, AnEmptyExerciseHasNothingToConfirm)
{
    MultipleChoiceDrill drill;
    drill.start();

    EXPECT_EQ(drill.questionCount(), 0);
    EXPECT_EQ(drill.currentIndex(), 0);
    EXPECT_EQ(drill.question(), QString());
    EXPECT_EQ(drill.slotCount(), 0);
    EXPECT_EQ(drill.confirm().verdict, Verdict::Nothing);
    EXPECT_EQ(drill.questionsLeft(), 0);
    EXPECT_EQ(drill.errors(), 0);
}

// GIVEN a lesson's files WHEN loaded THEN questions, answers and stretches meet in the entries;
// answer lines before the first '#' are never shown.
TEST(MultipleChoiceDrill, LoadsTheLessonFiles)
{
    TempCourse course;
    course.writeLines("____Data/q.txt", {"Who?", "Where?"});
    course.writeLines("____Data/a.txt", {"stray", "#", "Tom", "Ann", "Bob", "#", "London", "Paris"});
    course.writeLines("____Data/s.txt", {"0\t1200", "1200\t2500"});
    MultipleChoiceDrill drill(3);

    drill.load("____Data\\q.txt", "____Data\\a.txt", "____Data\\s.txt");
    drill.start();

    ASSERT_EQ(drill.questionCount(), 2);
    EXPECT_EQ(drill.entries()[1].answerCount, 3);
    EXPECT_EQ(drill.entries()[2].answers[0], "London");
    EXPECT_EQ(drill.entries()[2].start, 1200);
    EXPECT_EQ(drill.entries()[2].end, 2500);
    for (int answered = 0; answered < 2; ++answered) {
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_NE(drill.slotAnswer(slot), "stray");
        markRight(drill);
        drill.confirm();
    }
}

TEST(MultipleChoiceDrill, AFailingAnswerFileKeepsTheQuestionsAndTheAnswersRead)
{
    TempCourse course;
    course.writeLines("q.txt", {"Who?", "Where?"});
    course.writeLines("a.txt", {"#", "Tom", "Ann", "#", "London", "", "Paris"});
    MultipleChoiceDrill drill(3);

    EXPECT_THROW(drill.load("q.txt", "a.txt", ""), CourseError);

    ASSERT_EQ(drill.questionCount(), 2);
    EXPECT_EQ(drill.entries()[1].answerCount, 2);
    EXPECT_EQ(drill.entries()[2].answerCount, 1);
}

TEST(MultipleChoiceDrill, AMissingQuestionFileLeavesAnEmptyExercise)
{
    TempCourse course;
    course.writeLines("a.txt", {"#", "Tom"});
    MultipleChoiceDrill drill(3);

    EXPECT_THROW(drill.load("missing.txt", "a.txt", ""), CourseError);
    drill.start();

    EXPECT_EQ(drill.questionCount(), 0);
    EXPECT_EQ(drill.confirm().verdict, Verdict::Nothing);
}

} // namespace

#include "exercises/QuestionPresentation.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

using Step = QuestionPresentation::Step;

QuestionPresentation presentationOf(const QStringList &questions)
{
    QList<QuestionEntry> entries(1);
    for (const QString &text : questions) {
        QuestionEntry entry;
        entry.question = text;
        entries << entry;
    }
    return QuestionPresentation(entries);
}

// GIVEN three questions WHEN "Далее" is pressed THEN they come once each in file order, and
// "Далее" on the last ends the presentation.
TEST(QuestionPresentation, QuestionsComeInFileOrderAndTheLastNextFinishes)
{
    QuestionPresentation presentation = presentationOf({"One?", "Two?", "Three?"});
    presentation.start();

    QStringList seen{presentation.question()};
    QList<int> left{presentation.questionsLeft()};
    while (presentation.next() == Step::Showing) {
        seen << presentation.question();
        left << presentation.questionsLeft();
    }

    EXPECT_EQ(seen, QStringList({"One?", "Two?", "Three?"}));
    EXPECT_EQ(left, QList<int>({2, 1, 0}));
    EXPECT_EQ(presentation.shownNumber(), 3);
    EXPECT_EQ(presentation.next(), Step::Finished) << "it stays finished";
}

TEST(QuestionPresentation, ASingleQuestionFinishesAtTheFirstNext)
{
    QuestionPresentation presentation = presentationOf({"Only?"});
    presentation.start();
    EXPECT_EQ(presentation.questionsLeft(), 0);
    EXPECT_EQ(presentation.next(), Step::Finished);
}

TEST(QuestionPresentation, AnEmptyPresentationShowsNothingAndCannotBeFinished)
{
    QuestionPresentation presentation;
    presentation.start();

    EXPECT_EQ(presentation.questionCount(), 0);
    EXPECT_EQ(presentation.shownNumber(), 0);
    EXPECT_EQ(presentation.question(), QString());
    EXPECT_EQ(presentation.questionsLeft(), 0);
    EXPECT_EQ(presentation.next(), Step::Nothing);
}

TEST(QuestionPresentation, LoadsQuestionsAndStretchesButNotTheAnswers)
{
    TempCourse course;
    course.writeLines("q.txt", {"One?", QString(300, 'x')});
    course.writeLines("s.txt", {"0\t100", "100\t900"});
    QuestionPresentation presentation;

    presentation.load("q.txt", "s.txt");

    ASSERT_EQ(presentation.questionCount(), 2);
    EXPECT_EQ(presentation.entries()[2].question, QString(255, 'x'));
    EXPECT_EQ(presentation.entries()[2].end, 900);
    EXPECT_EQ(presentation.entries()[1].answerCount, 0);
}

TEST(QuestionPresentation, ASegmentFileLongerThanTheQuestionsFailsKeepingTheQuestions)
{
    TempCourse course;
    course.writeLines("q.txt", {"One?"});
    course.writeLines("s.txt", {"0\t100", "100\t900"});
    QuestionPresentation presentation;

    EXPECT_THROW(presentation.load("q.txt", "s.txt"), CourseError);

    ASSERT_EQ(presentation.questionCount(), 1);
    EXPECT_EQ(presentation.entries()[1].end, 100);
}

} // namespace

#include "QuestionWindowKit.h"

#include "controls/FlatPictureButton.h"
#include "controls/PictureCheckBox.h"
#include "exercises/MultipleChoiceWindow.h"
#include "support/AccessibilityContract.h"
#include "support/ModalAnswer.h"
#include "support/WaysOut.h"

#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

int visibleRows(MultipleChoiceWindow *form)
{
    int rows = 0;
    for (QWidget *row : form->answerPanels)
        rows += row->isVisibleTo(form) ? 1 : 0;
    return rows;
}

int checkedMarkers(MultipleChoiceWindow *form)
{
    int checked = 0;
    for (PictureCheckBox *marker : form->answerMarks)
        checked += marker->isChecked() ? 1 : 0;
    return checked;
}

// The slot (1..4) whose memo shows `answer`, 0 when none does.
int slotShowing(MultipleChoiceWindow *form, const QString &answer)
{
    for (int slot = 1; slot <= 4; ++slot) {
        if (form->answerPanels[slot - 1]->isVisibleTo(form) && form->answerTexts[slot - 1]->toPlainText() == answer)
            return slot;
    }
    return 0;
}

// GIVEN two questions on a lesson's text, one with three answers and one with two.
class MultipleChoiceWindowTest : public ::testing::Test {
protected:
    QuestionWindowKit kit;
    const QMap<QString, QString> rightAnswers{{"Who is Tom?", "A doctor"}, {"Where does he live?", "In London"}};

    void SetUp() override
    {
        kit.course.writeLines("____Data/q.txt", {"Who is Tom?", "Where does he live?"});
        kit.course.writeLines("____Data/a.txt",
                              {"#", "A doctor", "A teacher", "A pilot", "#", "In London", "In Paris"});
    }

    int run(MultipleChoiceCounts &counts)
    {
        return runMultipleChoice(kit.context, QuestionCentre, "____Data\\q.txt", "____Data\\a.txt", "", "", counts);
    }
};

// WHEN the learner answers each question wrongly first, then rightly where a retry is allowed,
// THEN the three-answer question asks to try again, the two-answer one shows its right answer
// and counts one error, and the run ends with 0 and N = 2, E = 1 for the dispatcher.
TEST_F(MultipleChoiceWindowTest, AShortRunWithOneRetryAndOneError)
{
    QMap<QString, int> visits;
    QStringList shownRightAnswers;
    int tryAgain = 0;
    QStringList problems;
    ModalAnswerer answerer([&](QWidget *modal) {
        if (auto *form = qobject_cast<MultipleChoiceWindow *>(modal)) {
            const QString question = form->questionText->toPlainText();
            const QString right = rightAnswers.value(question);
            const int rows = visibleRows(form);
            if (form->pos() != QPoint(500 - 605 / 2, 400 - 507 / 2))
                problems << "not centred";
            if (rows != (question == "Who is Tom?" ? 3 : 2))
                problems << "rows";
            if (form->totalCounter->text() != "2")
                problems << "totalCounter";
            if (visits[question]++ == 0) {
                if (form->remainingCounter->text() != QString::number(2 - visits.size() + 1))
                    problems << "remainingCounter";
                // A wrong answer, confirmed with Enter.
                clickMiddle(form->answerMarks[slotShowing(form, right) == 1 ? 1 : 0]);
                QTest::keyClick(form, Qt::Key_Return);
            } else {
                // The retry: the right answer, confirmed with the picture button.
                clickMiddle(form->answerMarks[slotShowing(form, right) - 1]);
                if (checkedMarkers(form) != 1)
                    problems << "more than one answer marked";
                form->confirmPictureButton->click();
            }
        } else if (auto *shown = qobject_cast<RightAnswerDialog *>(modal)) {
            shownRightAnswers << shown->rightAnswerText->toPlainText();
            shown->accept();
        } else if (auto *again = qobject_cast<TryAgainDialog *>(modal)) {
            ++tryAgain;
            again->accept();
        } else {
            problems << modal->metaObject()->className();
            modal->close();
        }
    });
    MultipleChoiceCounts counts;

    const int result = run(counts);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(counts.questions, 2);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(tryAgain, 1);
    EXPECT_EQ(shownRightAnswers, QStringList({"In London"}));
    EXPECT_EQ(visits.value("Who is Tom?"), 2);
    EXPECT_EQ(visits.value("Where does he live?"), 1);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
}

// WHEN the learner clicks the marked answer THEN no answer stays marked, and confirming then
// is a wrong answer.
TEST_F(MultipleChoiceWindowTest, ClickingTheMarkedAnswerClearsIt)
{
    kit.course.writeLines("____Data/q.txt", {"Who is Tom?"});
    kit.course.writeLines("____Data/a.txt", {"#", "A doctor", "A teacher", "A pilot"});
    int tryAgain = 0;
    int checkedAfterClick = -1;
    ModalScript script({
        [&](QWidget *modal) {
            auto *form = qobject_cast<MultipleChoiceWindow *>(modal);
            ASSERT_NE(form, nullptr);
            ASSERT_TRUE(form->answerMarks[0]->isChecked()) << "slot 1 is marked to begin with";
            clickMiddle(form->answerMarks[0]);
            checkedAfterClick = checkedMarkers(form);
            QTest::keyClick(form, Qt::Key_Return);
        },
        [&](QWidget *modal) {
            ASSERT_NE(qobject_cast<TryAgainDialog *>(modal), nullptr);
            ++tryAgain;
            qobject_cast<QDialog *>(modal)->accept();
        },
        [&](QWidget *modal) {
            auto *form = qobject_cast<MultipleChoiceWindow *>(modal);
            ASSERT_NE(form, nullptr);
            clickMiddle(form->answerMarks[slotShowing(form, "A doctor") - 1]);
            form->confirmPictureButton->click();
        },
    });
    MultipleChoiceCounts counts;

    EXPECT_EQ(run(counts), 0);
    EXPECT_EQ(checkedAfterClick, 0);
    EXPECT_EQ(tryAgain, 1);
    EXPECT_EQ(counts.questions, 1);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_TRUE(script.finished());
}

// WHEN the learner leaves by "Выход", Esc or the close box THEN the exercise is left with 2,
// asking nothing.
TEST_F(MultipleChoiceWindowTest, EveryWayOutLeavesWithTwo)
{
    for (const WayOut way : AllWaysOut) {
        ModalScript script({
            [way](QWidget *modal) {
                auto *form = qobject_cast<MultipleChoiceWindow *>(modal);
                ASSERT_NE(form, nullptr);
                EXPECT_EQ(accessibilityProblems(form), QStringList());
                leaveBy(way, modal, form->exitPictureButton);
            },
        });
        MultipleChoiceCounts counts;

        EXPECT_EQ(run(counts), 2) << nameOf(way);
        EXPECT_TRUE(script.finished()) << nameOf(way);
        EXPECT_FALSE(script.overrun()) << nameOf(way);
        EXPECT_EQ(counts.questions, 2);
        EXPECT_EQ(counts.errors, 0);
    }
}

// GIVEN no question file WHEN the exercise is run THEN the read error is reported and an
// empty exercise opens, which confirming does not end and "Выход" leaves.
TEST_F(MultipleChoiceWindowTest, AMissingQuestionFileGivesTheReadErrorAndAnEmptyExercise)
{
    ModalScript script({
        [](QWidget *modal) {
            EXPECT_TRUE(isReadErrorMessage(modal));
            modal->close();
        },
        [](QWidget *modal) {
            auto *form = qobject_cast<MultipleChoiceWindow *>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(visibleRows(form), 0);
            EXPECT_EQ(form->questionText->toPlainText(), QString());
            EXPECT_EQ(form->totalCounter->text(), "0");
            form->confirmPictureButton->click();
            QTest::keyClick(form, Qt::Key_Return);
        },
        [](QWidget *modal) {
            auto *form = qobject_cast<MultipleChoiceWindow *>(modal);
            ASSERT_NE(form, nullptr) << "confirming ended an empty exercise";
            form->exitPictureButton->click();
        },
    });
    MultipleChoiceCounts counts{5, 5};

    const int result =
        runMultipleChoice(kit.context, QuestionCentre, "____Data\\none.txt", "____Data\\a.txt", "", "", counts);

    EXPECT_EQ(result, 2);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    EXPECT_EQ(counts.questions, 0);
    EXPECT_EQ(counts.errors, 0);
}

} // namespace

#include "QuestionWindowKit.h"

#include "controls/FlatPictureButton.h"
#include "controls/PictureButton.h"
#include "exercises/QuestionPresentationWindow.h"
#include "support/ModalAnswer.h"
#include "support/WaysOut.h"

#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// What the window shows: the question, then "left/total".
QString shown(QuestionPresentationWindow *form)
{
    return form->questionText->toPlainText() + " " + form->remainingCounter->text() + "/" + form->totalCounter->text();
}

// GIVEN three questions on a lesson's text.
class QuestionPresentationWindowTest : public ::testing::Test {
protected:
    QuestionWindowKit kit;

    void SetUp() override { kit.course.writeLines("____Data/q.txt", {"One?", "Two?", "Three?"}); }

    int run(const QString &questionFile = "____Data\\q.txt")
    {
        return runQuestionPresentation(kit.context, QuestionCentre, questionFile, "____Data\\a.txt", "", "");
    }
};

// WHEN the learner goes on with "Далее" and Enter THEN the questions come in file order and
// "Далее" on the last ends the presentation with 0.
TEST_F(QuestionPresentationWindowTest, TheQuestionsComeInFileOrderAndTheLastNextEndsWithZero)
{
    QStringList seen;
    QPoint position;
    ModalScript script({
        [&](QWidget *modal) {
            auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
            ASSERT_NE(form, nullptr);
            position = form->pos();
            seen << shown(form);
            form->nextButton->click();
        },
        [&](QWidget *modal) {
            auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
            ASSERT_NE(form, nullptr);
            seen << shown(form);
            QTest::keyClick(form, Qt::Key_Return);
        },
        [&](QWidget *modal) {
            auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
            ASSERT_NE(form, nullptr);
            seen << shown(form);
            clickMiddle(form->nextButton);
        },
    });

    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(seen, QStringList({"One? 2/3", "Two? 1/3", "Three? 0/3"}));
    EXPECT_EQ(position, QPoint(500 - 555 / 2, 400 - 251 / 2));
}

TEST_F(QuestionPresentationWindowTest, EveryWayOutLeavesWithTwo)
{
    for (const WayOut way : AllWaysOut) {
        ModalScript script({
            [way](QWidget *modal) {
                auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
                ASSERT_NE(form, nullptr);
                leaveBy(way, modal, form->exitPictureButton);
            },
        });

        EXPECT_EQ(run(), 2) << nameOf(way);
        EXPECT_TRUE(script.finished()) << nameOf(way);
        EXPECT_FALSE(script.overrun()) << nameOf(way);
    }
}

// GIVEN no question file WHEN the presentation is run THEN the read error is reported and an
// empty window opens that "Далее" does not end.
TEST_F(QuestionPresentationWindowTest, AMissingQuestionFileGivesTheReadErrorAndAnEmptyPresentation)
{
    ModalScript script({
        [](QWidget *modal) {
            EXPECT_TRUE(isReadErrorMessage(modal));
            modal->close();
        },
        [](QWidget *modal) {
            auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(shown(form), " 0/0");
            form->nextButton->click();
        },
        [](QWidget *modal) {
            auto *form = qobject_cast<QuestionPresentationWindow *>(modal);
            ASSERT_NE(form, nullptr) << "\"Далее\" ended an empty presentation";
            form->exitPictureButton->click();
        },
    });

    EXPECT_EQ(run("____Data\\none.txt"), 2);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
}

} // namespace

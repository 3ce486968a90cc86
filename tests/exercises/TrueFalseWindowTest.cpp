#include "QuestionWindowKit.h"

#include "exercises/TrueFalseResultsWindow.h"
#include "exercises/TrueFalseWindow.h"
#include "sound/SoundDevice.h"
#include "support/ModalAnswer.h"
#include "support/WaysOut.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString cell(QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

QString counters(TrueFalseWindow *form)
{
    return form->remainingCounter->text() + "/" + form->totalCounter->text() + "/" + form->errorCounter->text();
}

// GIVEN a true and a false statement, a second file, their stretches and the sound.
class TrueFalseWindowTest : public ::testing::Test {
protected:
    QuestionWindowKit kit;
    TrueFalseResultsWindow results;

    void SetUp() override
    {
        kit.course.writeLines("____Data/st.txt", {"Tom is a doctor.\t0", "Tom lives in Paris.\t1"});
        kit.course.writeLines("____Data/q.txt", {"unused"});
        kit.course.writeLines("____Data/s.txt", {"0\t700", "700\t1500"});
        kit.writeSound("____Data/st.wav", 2000);
    }

    int run(const QString &secondFile = "____Data\\q.txt")
    {
        return runTrueFalse(kit.context, QuestionCentre, "____Data\\st.txt", secondFile, "____Data\\s.txt",
                            "____Data\\st.wav", results);
    }
};

// WHEN the learner skips, listens, answers the true statement "Да" and the false one "Да"
// THEN one error is counted and the results show the right answers and which were right.
TEST_F(TrueFalseWindowTest, AShortRunWithSoundEndsInTheResults)
{
    QStringList problems;
    qint64 soundFrames = -1;
    QStringList rows;
    QString summary;
    ModalScript script({
        [&](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->pos(), QPoint(500 - 553 / 2, 400 - 197 / 2));
            EXPECT_EQ(counters(form), "2/2/0");
            form->nextButton->click();
            EXPECT_EQ(counters(form), "2/2/0") << "skipping counts nothing";

            // The statement on show is played, and the device closes when it ends.
            const bool secondOnShow = form->questionText->toPlainText() == "Tom lives in Paris.";
            form->playButton->click();
            EXPECT_FALSE(form->playButton->isEnabled());
            kit.card.advance(1000);
            EXPECT_TRUE(form->playButton->isEnabled());
            EXPECT_FALSE(form->player->opened());
            const std::vector<qint16> &handed = kit.card.outputs().back().samples;
            soundFrames = std::count_if(handed.begin(), handed.end(), [](qint16 s) { return s != 0; });
            if (soundFrames != (secondOnShow ? 800 * 8 : 700 * 8))
                problems << "played the wrong stretch";

            form->yesButton->setChecked(true);
            form->confirmButton->click();
        },
        [&](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->remainingCounter->text(), "1");
            EXPECT_TRUE(form->yesButton->isChecked()) << "the choice stays";
            QTest::keyClick(form, Qt::Key_Return);
        },
        [&](QWidget *modal) {
            auto *end = qobject_cast<TrueFalseResultsWindow *>(modal);
            ASSERT_EQ(end, &results);
            QTableWidget *grid = end->resultsTable;
            EXPECT_EQ(grid->rowCount(), 49);
            EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Вопрос");
            EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Ответ");
            EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Ваш ответ");
            for (int row = 0; row < 3; ++row)
                rows << cell(grid, row, 0) + "|" + cell(grid, row, 1) + "|" + cell(grid, row, 2);
            summary = end->totalCounter->text() + " " + end->errorCounter->text() + " " + end->commentLabel->text();
            end->okButton->click();
        },
    });

    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(script.overrun());
    EXPECT_EQ(rows, QStringList({"Tom is a doctor.|Да|Да", "Tom lives in Paris.|Нет|Нет", "||"}));
    EXPECT_EQ(summary, "2 1 Комментарий");
    EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
}

// WHEN the learner leaves THEN "Cancel" and Esc give 1, "&Close" and the close box give 2, and
// no results show.
TEST_F(TrueFalseWindowTest, LeavingGivesOneOrTwoWithoutResults)
{
    struct Case {
        const char *how;
        int result;
    };
    for (const Case &c : {Case{"Cancel", 1}, Case{"Esc", 1}, Case{"&Close", 2}, Case{"close box", 2}}) {
        ModalScript script({[&c](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            form->confirmButton->click(); // one answer given: leaving still shows nothing
            if (QString(c.how) == "Esc")
                QTest::keyClick(form, Qt::Key_Escape);
            else if (QString(c.how) == "Cancel")
                form->ignoreButton->click();
            else if (QString(c.how) == "close box")
                leaveBy(WayOut::CloseBox, form, nullptr);
            else
                form->closeButton->click();
        }});

        EXPECT_EQ(run(), c.result) << c.how;
        EXPECT_TRUE(script.finished()) << c.how;
        EXPECT_FALSE(script.overrun()) << c.how << " showed another window";
    }
}

// GIVEN no second file WHEN the exercise is run THEN the read error is reported and the
// statements read are still asked.
TEST_F(TrueFalseWindowTest, AMissingSecondFileIsAReadError)
{
    ModalScript script({
        [](QWidget *modal) {
            EXPECT_TRUE(isReadErrorMessage(modal));
            modal->close();
        },
        [](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->totalCounter->text(), "2");
            EXPECT_FALSE(form->questionText->toPlainText().isEmpty());
            form->closeButton->click();
        },
    });

    EXPECT_EQ(run("____Data\\none.txt"), 2);
    EXPECT_TRUE(script.finished());
}

// GIVEN a sound file that cannot be opened WHEN "Проиграть" is pressed THEN the device's
// message is shown and the button stays usable.
TEST_F(TrueFalseWindowTest, ASoundThatCannotBeOpenedLeavesTheButtonUsable)
{
    kit.course.writeBytes("____Data/st.wav", "not a sound");
    bool enabledAfter = false;
    ModalScript script({
        [](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            form->playButton->click();
        },
        [](QWidget *modal) {
            EXPECT_EQ(modal->windowTitle(), "Ошибка");
            modal->close();
        },
        [&](QWidget *modal) {
            auto *form = qobject_cast<TrueFalseWindow *>(modal);
            ASSERT_NE(form, nullptr);
            enabledAfter = form->playButton->isEnabled();
            form->closeButton->click();
        },
    });

    EXPECT_EQ(run(), 2);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(enabledAfter);
}

} // namespace

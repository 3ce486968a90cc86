#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "exercises/ExerciseEndDialog.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "exercises/TrueFalseResultsWindow.h"
#include "support/ModalAnswer.h"
#include "support/WaysOut.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << QString(label->text()).remove(u'&'); // without the Alt marks
    return texts;
}

TEST(AnswerDialogs, FirstWrongAnswerAsksToTryAgainAndClosesWithOk)
{
    // GIVEN the dialog of a first wrong answer
    TryAgainDialog dialog;
    QString caption;
    QStringList lines;
    answerNextModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        lines = labelTexts(*modal);
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });

    // WHEN it is shown and its button pressed
    const int result = dialog.exec();

    // THEN it said so and closed with OK
    EXPECT_EQ(caption, QStringLiteral("Внимание"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Вы ошиблись.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Попробуйте еще раз.")));
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(dialog.okButton->isDefault());
}

TEST(AnswerDialogs, EnterConfirmsTheFirstWrongAnswerDialog)
{
    TryAgainDialog dialog;
    answerNextModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), mrOk);
}

// The right answer after a second wrong one: in English (questions) and Russian (vocabulary).
void expectShowsOnlyTheGivenAnswer(RightAnswerDialog::AnswerLanguage language)
{
    // GIVEN the dialog, already used once for another answer
    RightAnswerDialog dialog(language);
    answerNextModal([&](QWidget *) { QTest::mouseClick(dialog.okButton, Qt::LeftButton); });
    dialog.showRightAnswer(QStringLiteral("first answer"));

    // WHEN it shows the next answer
    QString caption;
    QString shown;
    QStringList lines;
    answerNextModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        shown = dialog.rightAnswerText->toPlainText();
        lines = labelTexts(*modal);
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });
    dialog.showRightAnswer(QStringLiteral("Ответ: день рождения"));

    // THEN that answer is its only line, under the red heading
    EXPECT_EQ(caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(shown, QStringLiteral("Ответ: день рождения"));
    EXPECT_EQ(dialog.rightAnswerText->document()->blockCount(), 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Вы ошиблись. Правильный ответ:")));
    EXPECT_TRUE(dialog.rightAnswerText->isReadOnly());
    EXPECT_TRUE(dialog.rightAnswerText->font().bold());
    EXPECT_EQ(dialog.rightAnswerText->document()->firstBlock().blockFormat().alignment(), Qt::AlignCenter);
}

TEST(AnswerDialogs, EnglishRightAnswerShowsOnlyTheGivenAnswer)
{
    expectShowsOnlyTheGivenAnswer(RightAnswerDialog::AnswerLanguage::English);
}

TEST(AnswerDialogs, RussianRightAnswerShowsOnlyTheGivenAnswer)
{
    expectShowsOnlyTheGivenAnswer(RightAnswerDialog::AnswerLanguage::Russian);
}

TEST(AnswerDialogs, DoubleErrorShowsAnEmptyAnswerAsAnEmptyMemo)
{
    RightAnswerDialog dialog(RightAnswerDialog::AnswerLanguage::English);
    QString shown = QStringLiteral("not shown");
    answerNextModal([&](QWidget *) {
        shown = dialog.rightAnswerText->toPlainText();
        dialog.okButton->click();
    });
    dialog.showRightAnswer(QString());
    EXPECT_EQ(shown, QString());
}

TEST(AnswerDialogs, ResultsDialogStartsWithItsDesignLineAndAllChoices)
{
    ExerciseEndDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Результаты"));
    EXPECT_EQ(dialog.messageText->toPlainText(), QStringLiteral("Вы просмотрели лексику урока."));
    EXPECT_EQ(dialog.markLabel->text().remove(u'&'), QStringLiteral("Отметить упражнение как выполненное"));
    const QStringList lines = labelTexts(dialog);
    EXPECT_TRUE(lines.contains(QStringLiteral("Сейчас вы можете:")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Повторить упражнение еще раз")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Просто выйти из упражнения")));
    EXPECT_TRUE(dialog.okButton->isEnabled());
}

TEST(AnswerDialogs, ResultsDialogPrepareReplacesTheMessageAndSwitchesTheMarkChoice)
{
    ExerciseEndDialog dialog;

    dialog.prepare(QStringLiteral("Ошибок: 4. Вы не в достаточной мере поняли содержание текста."), false);
    EXPECT_EQ(dialog.messageText->toPlainText(),
              QStringLiteral("Ошибок: 4. Вы не в достаточной мере поняли содержание текста."));
    EXPECT_EQ(dialog.messageText->document()->blockCount(), 1);
    EXPECT_FALSE(dialog.okButton->isEnabled());
    EXPECT_FALSE(dialog.markLabel->isEnabled());
    EXPECT_TRUE(dialog.repeatButton->isEnabled());
    EXPECT_TRUE(dialog.leaveButton->isEnabled());

    // The longest message there is, the verdict with a three-digit count, needs no scroll bar.
    dialog.prepare(QStringLiteral("Ошибок: 100. Вы не в достаточной мере поняли содержание текста. "
                                  "Попробуйте прослушать текст еще раз."),
                   false);
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog.messageText->verticalScrollBar()->isVisible());
    dialog.hide();

    dialog.prepare(QStringLiteral("Вы успешно выполнили упражнение."), true);
    EXPECT_EQ(dialog.messageText->toPlainText(), QStringLiteral("Вы успешно выполнили упражнение."));
    EXPECT_TRUE(dialog.okButton->isEnabled());
    EXPECT_TRUE(dialog.markLabel->isEnabled());
}

TEST(AnswerDialogs, ResultsDialogGivesTheResultOfEachChoice)
{
    struct Case {
        const char *what;
        std::function<void(ExerciseEndDialog &)> choose;
        int result;
    };
    const Case cases[] = {
        {"mark as done", [](ExerciseEndDialog &d) { QTest::mouseClick(d.okButton, Qt::LeftButton); }, mrOk},
        {"repeat", [](ExerciseEndDialog &d) { QTest::mouseClick(d.repeatButton, Qt::LeftButton); }, mrRetry},
        {"just leave", [](ExerciseEndDialog &d) { QTest::mouseClick(d.leaveButton, Qt::LeftButton); }, mrCancel},
        {"Esc", [](ExerciseEndDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); }, mrCancel},
        {"close box", [](ExerciseEndDialog &d) { d.close(); }, mrCancel},
    };
    for (const Case &c : cases) {
        ExerciseEndDialog dialog;
        dialog.prepare(QStringLiteral("Вы успешно выполнили упражнение."), true);
        answerNextModal([&](QWidget *) { c.choose(dialog); });
        EXPECT_EQ(dialog.exec(), c.result) << c.what;
    }
}

// The notices of a run (a first wrong answer, the right answer, the true/false results) close
// by Esc, their OK button and the close box alike.
TEST(AnswerDialogs, EveryWayOutClosesTheNotices)
{
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer(RightAnswerDialog::AnswerLanguage::English);
    TrueFalseResultsWindow results;
    const std::pair<QDialog *, QAbstractButton *> notices[] = {
        {&tryAgain, tryAgain.okButton}, {&rightAnswer, rightAnswer.okButton}, {&results, results.okButton}};
    for (const auto &[notice, ok] : notices) {
        for (const WayOut way : AllWaysOut) {
            answerNextModal([&, ok = ok](QWidget *modal) { leaveBy(way, modal, ok); });
            QTimer stuck; // a notice that stays open fails the test instead of hanging it
            stuck.setSingleShot(true);
            QObject::connect(&stuck, &QTimer::timeout, notice, [notice = notice] { notice->done(-1); });
            stuck.start(5000);
            EXPECT_NE(notice->exec(), -1) << notice->objectName().toStdString() << ", " << nameOf(way);
        }
    }
}

TEST(AnswerDialogs, ResultsDialogWithoutTheMarkChoiceIgnoresItsButton)
{
    // GIVEN the dialog prepared for the anonymous learner
    ExerciseEndDialog dialog;
    dialog.prepare(QStringLiteral("Вы просмотрели вопросы к тексту."), false);
    answerNextModal([&](QWidget *) {
        // WHEN the disabled mark button is clicked, then the learner leaves
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
        QTest::mouseClick(dialog.leaveButton, Qt::LeftButton);
    });
    // THEN only the leave counts
    EXPECT_EQ(dialog.exec(), mrCancel);
}

} // namespace

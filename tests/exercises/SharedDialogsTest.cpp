#include "controls/BtnImgD1KL.h"
#include "controls/ModalResult.h"
#include "exercises/SharedDialogs.h"
#include "support/ModalAnswer.h"

#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

TEST(SharedDialogs, FirstWrongAnswerAsksToTryAgainAndClosesWithOk)
{
    // GIVEN the dialog of a first wrong answer
    TDlgErrorDo dialog;
    QString caption;
    QStringList lines;
    answerNextModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        lines = labelTexts(*modal);
        QTest::mouseClick(dialog.BtnImgD1KL1, Qt::LeftButton);
    });

    // WHEN it is shown and its button pressed
    const int result = dialog.exec();

    // THEN it said so and closed with OK
    EXPECT_EQ(caption, QStringLiteral("Внимание"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Вы ошиблись.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Попробуйте еще раз.")));
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(dialog.BtnImgD1KL1->isDefault());
}

TEST(SharedDialogs, EnterConfirmsTheFirstWrongAnswerDialog)
{
    TDlgErrorDo dialog;
    answerNextModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), mrOk);
}

// The right answer after a second wrong one: in English (questions) and Russian (vocabulary).
template <class Dialog>
void expectShowsOnlyTheGivenAnswer()
{
    // GIVEN the dialog, already used once for another answer
    Dialog dialog;
    answerNextModal([&](QWidget *) { QTest::mouseClick(dialog.BtnImgD1KL1, Qt::LeftButton); });
    dialog.ShowMdText(QStringLiteral("first answer"));

    // WHEN it shows the next answer
    QString caption;
    QString shown;
    QStringList lines;
    answerNextModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        shown = dialog.MemoTrueQuest->toPlainText();
        lines = labelTexts(*modal);
        QTest::mouseClick(dialog.BtnImgD1KL1, Qt::LeftButton);
    });
    dialog.ShowMdText(QStringLiteral("Ответ: день рождения"));

    // THEN that answer is its only line, under the red heading
    EXPECT_EQ(caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(shown, QStringLiteral("Ответ: день рождения"));
    EXPECT_EQ(dialog.MemoTrueQuest->document()->blockCount(), 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Вы ошиблись. Правильный ответ:")));
    EXPECT_TRUE(dialog.MemoTrueQuest->isReadOnly());
    EXPECT_TRUE(dialog.MemoTrueQuest->font().bold());
    EXPECT_EQ(dialog.MemoTrueQuest->document()->firstBlock().blockFormat().alignment(), Qt::AlignCenter);
}

TEST(SharedDialogs, DoubleErrorShowsOnlyTheGivenAnswer)
{
    expectShowsOnlyTheGivenAnswer<TDlgDoubleError>();
}

TEST(SharedDialogs, LexicErrorShowsOnlyTheGivenAnswer)
{
    expectShowsOnlyTheGivenAnswer<TDlgLexicError>();
}

TEST(SharedDialogs, DoubleErrorShowsAnEmptyAnswerAsAnEmptyMemo)
{
    TDlgDoubleError dialog;
    QString shown = QStringLiteral("not shown");
    answerNextModal([&](QWidget *) {
        shown = dialog.MemoTrueQuest->toPlainText();
        dialog.BtnImgD1KL1->click();
    });
    dialog.ShowMdText(QString());
    EXPECT_EQ(shown, QString());
}

TEST(SharedDialogs, ResultsDialogStartsWithItsDesignLineAndAllChoices)
{
    TDlgLexRepit dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Результаты"));
    EXPECT_EQ(dialog.MemoComent->toPlainText(), QStringLiteral("Вы просмотрели лексику урока."));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Отметить упражнение как выполненное"));
    const QStringList lines = labelTexts(dialog);
    EXPECT_TRUE(lines.contains(QStringLiteral("Сейчас вы можете:")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Повторить упражнение еще раз")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Просто выйти из упражнения")));
    EXPECT_TRUE(dialog.BitBtnOk->isEnabled());
}

TEST(SharedDialogs, ResultsDialogPrepareReplacesTheMessageAndSwitchesTheMarkChoice)
{
    TDlgLexRepit dialog;

    dialog.prepare(QStringLiteral("Ошибок: 4. Вы не в достаточной мере поняли содержание текста."), false);
    EXPECT_EQ(dialog.MemoComent->toPlainText(),
              QStringLiteral("Ошибок: 4. Вы не в достаточной мере поняли содержание текста."));
    EXPECT_EQ(dialog.MemoComent->document()->blockCount(), 1);
    EXPECT_FALSE(dialog.BitBtnOk->isEnabled());
    EXPECT_FALSE(dialog.Label2->isEnabled());
    EXPECT_TRUE(dialog.BitBtn3->isEnabled());
    EXPECT_TRUE(dialog.BitBtn2->isEnabled());

    dialog.prepare(QStringLiteral("Вы успешно выполнили упражнение."), true);
    EXPECT_EQ(dialog.MemoComent->toPlainText(), QStringLiteral("Вы успешно выполнили упражнение."));
    EXPECT_TRUE(dialog.BitBtnOk->isEnabled());
    EXPECT_TRUE(dialog.Label2->isEnabled());
}

TEST(SharedDialogs, ResultsDialogGivesTheResultOfEachChoice)
{
    struct Case {
        const char *what;
        std::function<void(TDlgLexRepit &)> choose;
        int result;
    };
    const Case cases[] = {
        {"mark as done", [](TDlgLexRepit &d) { QTest::mouseClick(d.BitBtnOk, Qt::LeftButton); }, mrOk},
        {"repeat", [](TDlgLexRepit &d) { QTest::mouseClick(d.BitBtn3, Qt::LeftButton); }, mrRetry},
        {"just leave", [](TDlgLexRepit &d) { QTest::mouseClick(d.BitBtn2, Qt::LeftButton); }, mrCancel},
        {"Esc", [](TDlgLexRepit &d) { QTest::keyClick(&d, Qt::Key_Escape); }, mrCancel},
        {"close box", [](TDlgLexRepit &d) { d.close(); }, mrCancel},
    };
    for (const Case &c : cases) {
        TDlgLexRepit dialog;
        dialog.prepare(QStringLiteral("Вы успешно выполнили упражнение."), true);
        answerNextModal([&](QWidget *) { c.choose(dialog); });
        EXPECT_EQ(dialog.exec(), c.result) << c.what;
    }
}

TEST(SharedDialogs, ResultsDialogWithoutTheMarkChoiceIgnoresItsButton)
{
    // GIVEN the dialog prepared for the anonymous learner
    TDlgLexRepit dialog;
    dialog.prepare(QStringLiteral("Вы просмотрели вопросы к тексту."), false);
    answerNextModal([&](QWidget *) {
        // WHEN the disabled mark button is clicked, then the learner leaves
        QTest::mouseClick(dialog.BitBtnOk, Qt::LeftButton);
        QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton);
    });
    // THEN only the leave counts
    EXPECT_EQ(dialog.exec(), mrCancel);
}

} // namespace

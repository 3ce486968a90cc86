#include "MultipleChoiceWindow.h"

#include "ExerciseEndDialog.h"
#include "RightAnswerDialog.h"
#include "TryAgainDialog.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureCheckBox.h"
#include "ui/DialogFrame.h"
#include "ui/HelpDesk.h"
#include "ui/Mnemonics.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

#include <exception>

namespace {

constexpr int PanelLeft = 15;
constexpr int PanelWidth = 575;
constexpr int RowTop = 190;
constexpr int RowPitch = 58;

} // namespace

MultipleChoiceWindow::MultipleChoiceWindow(const ExerciseContext &context, QWidget *parent)
    : QDialog(parent), context_(context)
{
    setObjectName("multipleChoiceWindow");
    setupExerciseWindow(*this, QSize(605, 507), QStringLiteral("Послетекстовые вопросы"), 120);

    instructionLabel = new QLabel(QStringLiteral("Выберите правильный вариант"), this);
    instructionLabel->setObjectName("instructionLabel");
    instructionLabel->setFont(arialFont(18, true));
    instructionLabel->setGeometry(PanelLeft, 8, PanelWidth, 26);

    // "OK" lies under the question panel: not seen, but Enter triggers it.
    confirmButton = new QPushButton(QStringLiteral("OK"), this);
    confirmButton->setObjectName("confirmButton");
    confirmButton->setGeometry(PanelLeft + 20, 60, 75, 25);
    confirmButton->setDefault(true);
    confirmButton->setFocusPolicy(Qt::NoFocus);

    questionPanel = new FramedPanel(this);
    questionPanel->setObjectName("questionPanel");
    questionPanel->setGeometry(PanelLeft, 40, PanelWidth, 140);
    questionText = addQuestionText(questionPanel, QRect(12, 10, PanelWidth - 24, 120), QStringLiteral("Вопрос"), 17);
    questionText->setObjectName("questionText");

    for (int slot = 1; slot <= 4; ++slot) {
        const int i = slot - 1;
        answerPanels[i] = new FramedPanel(this);
        answerPanels[i]->setObjectName(QStringLiteral("answerPanels%1").arg(slot));
        answerPanels[i]->setGeometry(PanelLeft, RowTop + i * RowPitch, PanelWidth, 50);

        answerMarks[i] = new PictureCheckBox(answerPanels[i]);
        answerMarks[i]->setObjectName(QStringLiteral("answerMarks%1").arg(slot));
        SkinArt::applyAnswerMarkerPictures(*answerMarks[i]);
        answerMarks[i]->setGeometry(12, 12, 26, 26);
        connect(answerMarks[i], &PictureCheckBox::activated, this, [this, slot] { markAnswer(slot); });

        answerTexts[i] = addQuestionText(answerPanels[i], QRect(48, 5, PanelWidth - 60, 40), QStringLiteral("Ответ %1").arg(slot), 15);
        answerTexts[i]->setObjectName(QStringLiteral("answerTexts%1").arg(slot));
    }

    constexpr int RowY = 430;
    remainingCounter = addCounter(this, QPoint(25, RowY), QStringLiteral("Осталось"), 70);
    remainingCounter->setObjectName("remainingCounter");
    totalCounter = addCounter(this, QPoint(105, RowY), QStringLiteral("Всего"), 70);
    totalCounter->setObjectName("totalCounter");
    errorCounter = addCounter(this, QPoint(185, RowY), QStringLiteral("Ошибок"), 70);
    errorCounter->setObjectName("errorCounter");

    confirmPictureButton =
        addPictureButton(this, QPoint(345, RowY), QStringLiteral("Подтверждение"), SkinArt::ButtonSymbol::Confirm);
    confirmPictureButton->setObjectName("confirmPictureButton");
    helpPictureButton =
        addPictureButton(this, QPoint(445, RowY), QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help);
    helpPictureButton->setObjectName("helpPictureButton");
    exitPictureButton =
        addPictureButton(this, QPoint(535, RowY), QStringLiteral("Выход"), SkinArt::ButtonSymbol::Exit);
    exitPictureButton->setObjectName("exitPictureButton");

    connect(confirmButton, &QPushButton::clicked, this, &MultipleChoiceWindow::confirmAnswer);
    connect(confirmPictureButton, &FlatPictureButton::activated, this, &MultipleChoiceWindow::confirmAnswer);
    connect(helpPictureButton, &FlatPictureButton::activated, this, &MultipleChoiceWindow::showHelp);
    connect(exitPictureButton, &FlatPictureButton::activated, this, &QDialog::reject);
    assignMnemonics(*this);
}

void MultipleChoiceWindow::setFiles(const QString &questionFile, const QString &answerFile, const QString &segmentFile,
                              const QString &soundFile)
{
    files_ = {questionFile, answerFile, segmentFile, soundFile};
}

void MultipleChoiceWindow::load()
{
    try {
        drill_.load(files_.first, files_.second, files_.segment);
    } catch (const std::exception &error) {
        reportExerciseReadError(error);
    }
}

void MultipleChoiceWindow::startRun()
{
    drill_.start();
    showQuestion();
}

void MultipleChoiceWindow::showQuestion()
{
    for (int slot = 1; slot <= 4; ++slot) {
        const int i = slot - 1;
        const bool used = slot <= drill_.slotCount();
        showMemoLine(*answerTexts[i], drill_.slotAnswer(slot));
        // The marker is what the keyboard reaches: it carries its answer for screen readers.
        answerMarks[i]->setAccessibleName(drill_.slotAnswer(slot));
        answerMarks[i]->setChecked(drill_.markedSlot() == slot);
        answerMarks[i]->setVisible(used);
        answerPanels[i]->setVisible(used);
    }
    showMemoLine(*questionText, drill_.question());
    showCounters();
}

void MultipleChoiceWindow::showCounters()
{
    remainingCounter->setNum(drill_.questionsLeft());
    totalCounter->setNum(drill_.questionCount());
    errorCounter->setNum(drill_.errors());
}

// The marker toggles itself after this: the others go off here, so at most one answer is
// marked, and a click on the marked one leaves none.
void MultipleChoiceWindow::markAnswer(int slot)
{
    for (int other = 1; other <= 4; ++other) {
        if (other != slot)
            answerMarks[other - 1]->setChecked(false);
    }
    drill_.clickMark(slot);
}

void MultipleChoiceWindow::confirmAnswer()
{
    const MultipleChoiceDrill::Outcome outcome = drill_.confirm();
    switch (outcome.verdict) {
    case MultipleChoiceDrill::Verdict::Nothing:
        return;
    case MultipleChoiceDrill::Verdict::TryAgain:
        context_.tryAgain.exec();
        return;
    case MultipleChoiceDrill::Verdict::Wrong:
        context_.rightAnswer.showRightAnswer(outcome.rightAnswer);
        break;
    case MultipleChoiceDrill::Verdict::Right:
        break;
    }
    if (outcome.finished) {
        showCounters();
        done(mrOk);
    } else {
        showQuestion();
    }
}

void MultipleChoiceWindow::showHelp()
{
    helpByKey(QStringLiteral("QuestEnd"));
}

void MultipleChoiceWindow::reject()
{
    done(mrCancel);
}

int runMultipleChoice(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile,
                 MultipleChoiceCounts &counts)
{
    MultipleChoiceWindow form(context);
    centreOnPoint(form, centre);
    form.setFiles(questionFile, answerFile, segmentFile, soundFile);
    form.load();
    form.startRun();
    const int modalResult = form.exec();
    counts.questions = form.drill().questionCount();
    counts.errors = form.drill().errors();
    return exerciseRunResult(modalResult);
}

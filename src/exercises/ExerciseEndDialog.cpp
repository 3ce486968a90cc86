#include "ExerciseEndDialog.h"

#include "AnswerDialogParts.h"

#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"
#include "ui/Mnemonics.h"

#include <QLabel>
#include <QTextEdit>

ExerciseEndDialog::ExerciseEndDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName("exerciseEndDialog");
    setupAnswerDialog(*this, QSize(420, 286), QStringLiteral("Результаты"));

    // Room for four lines: the longest message (the multiple-choice verdict with its error
    // count) takes three, and must show without a scroll bar.
    messageText = addMemo(this, QRect(20, 10, 380, 86), QStringLiteral("Результат упражнения"));
    messageText->setObjectName("messageText");
    messageText->document()->setDocumentMargin(2);
    showCentredText(*messageText, QStringLiteral("Вы просмотрели лексику урока."));

    auto *heading = new QLabel(QStringLiteral("Сейчас вы можете:"), this);
    heading->setObjectName("headingLabel");
    heading->setGeometry(20, 100, 380, 22);
    heading->setFont(arialFont(16, true));

    // A button with its choice written to its right; the label names the button too.
    auto addChoice = [this](int top, const char *name, const QString &text, SkinArt::ButtonSymbol symbol,
                            const char *labelName, QLabel *&label) {
        auto *button = new PictureButton(this);
        button->setObjectName(name);
        button->setGeometry(34, top, 41, 36);
        button->setText(text);
        SkinArt::applyPushButtonGlyphs(*button, symbol);
        label = new QLabel(text, this);
        label->setObjectName(labelName);
        label->setGeometry(90, top, 310, 36);
        label->setBuddy(button);
        return button;
    };
    QLabel *label3 = nullptr;
    QLabel *label4 = nullptr;
    okButton = addChoice(130, "okButton", QStringLiteral("Отметить упражнение как выполненное"),
                         SkinArt::ButtonSymbol::Confirm, "markLabel", markLabel);
    okButton->setModalResult(mrOk);
    repeatButton = addChoice(178, "repeatButton", QStringLiteral("Повторить упражнение еще раз"), SkinArt::ButtonSymbol::Repeat,
                        "repeatLabel", label3);
    repeatButton->setModalResult(mrRetry);
    leaveButton = addChoice(226, "leaveButton", QStringLiteral("Просто выйти из упражнения"), SkinArt::ButtonSymbol::Exit,
                        "leaveLabel", label4);
    leaveButton->setModalResult(mrCancel);
    leaveButton->setCancel(true);

    assignMnemonics(*this);
}

void ExerciseEndDialog::prepare(const QString &message, bool markEnabled)
{
    showCentredText(*messageText, message);
    okButton->setEnabled(markEnabled);
    markLabel->setEnabled(markEnabled);
}

// Closing the dialog any other way (Esc, the window's close box) just leaves.
void ExerciseEndDialog::reject()
{
    done(mrCancel);
}

void ExerciseEndDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    (okButton->isEnabled() ? okButton : repeatButton)->setFocus();
}

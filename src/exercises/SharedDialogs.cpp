#include "SharedDialogs.h"

#include "controls/BtnImgD1KL.h"
#include "controls/ModalResult.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"

#include <QLabel>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// These dialogs stand over the exercise windows and take their blue, not the grey-blue of
// the other dialogs.
void setupAnswerDialog(QDialog &dialog, QSize clientSize, const QString &caption)
{
    setupDialogFrame(dialog, clientSize, caption);
    QPalette background = dialog.palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    dialog.setPalette(background);
}

QLabel *addIcon(QWidget *parent, QPoint topLeft, int iconIndex, const QString &name)
{
    auto *icon = new QLabel(parent);
    icon->setObjectName("Image1");
    icon->setGeometry(QRect(topLeft, QSize(32, 32)));
    icon->setPixmap(SkinArt::messageIcon(iconIndex));
    icon->setAccessibleName(name);
    return icon;
}

QTextEdit *addMemo(QWidget *parent, const QRect &geometry, const QString &accessibleName)
{
    auto *memo = new QTextEdit(parent);
    memo->setGeometry(geometry);
    memo->setReadOnly(true);
    memo->setFont(arialFont(16, true));
    memo->setAccessibleName(accessibleName);
    return memo;
}

// The memo's content becomes `line` alone, centred ("\r" breaks it as the old memo did).
void showOnlyLine(QTextEdit &memo, const QString &line)
{
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    memo.clear();
    memo.setPlainText(text);
    QTextCursor all(memo.document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);
}

TBtnImgD1KL *addOkButton(QWidget *parent, QPoint topLeft)
{
    auto *button = new TBtnImgD1KL(parent);
    button->setObjectName("BtnImgD1KL1");
    button->setGeometry(QRect(topLeft, QSize(41, 36)));
    button->setText(QStringLiteral("OK"));
    SkinArt::applyPushButtonGlyphs(*button, SkinArt::ButtonSymbol::Confirm);
    button->setDefault(true);
    button->setModalResult(mrOk);
    return button;
}

} // namespace

TDlgErrorDo::TDlgErrorDo(QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgErrorDo");
    setupAnswerDialog(*this, QSize(300, 146), QStringLiteral("Внимание"));

    addIcon(this, QPoint(28, 26), 2, QStringLiteral("Внимание"));
    auto *line1 = new QLabel(QStringLiteral("Вы ошиблись."), this);
    line1->setObjectName("Label1");
    line1->setGeometry(80, 22, 200, 20);
    line1->setFont(arialFont(16, true));
    auto *line2 = new QLabel(QStringLiteral("Попробуйте еще раз."), this);
    line2->setObjectName("Label2");
    line2->setGeometry(80, 46, 200, 20);
    line2->setFont(arialFont(16, true));

    BtnImgD1KL1 = addOkButton(this, QPoint(130, 96));
}

void TDlgErrorDo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

TDlgDoubleError::TDlgDoubleError(QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgDoubleError");
    setupAnswerDialog(*this, QSize(380, 206), QStringLiteral("Ошибка"));

    addIcon(this, QPoint(22, 16), 0, QStringLiteral("Ошибка"));
    auto *heading = new QLabel(QStringLiteral("Вы ошиблись. Правильный ответ:"), this);
    heading->setObjectName("Label1");
    heading->setGeometry(70, 22, 290, 22);
    heading->setFont(arialFont(16, true));
    QPalette red = heading->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    heading->setPalette(red);

    MemoTrueQuest = addMemo(this, QRect(20, 58, 340, 84), QStringLiteral("Правильный ответ"));
    MemoTrueQuest->setObjectName("MemoTrueQuest");

    BtnImgD1KL1 = addOkButton(this, QPoint(170, 156));
}

void TDlgDoubleError::ShowMdText(const QString &text)
{
    showOnlyLine(*MemoTrueQuest, text);
    exec();
}

void TDlgDoubleError::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    BtnImgD1KL1->setFocus();
}

// Only the memo's character set made the old form differ; Unicode text needs no such
// choice, so the Russian answers go through the same memo.
TDlgLexicError::TDlgLexicError(QWidget *parent) : TDlgDoubleError(parent)
{
    setObjectName("DlgLexicError");
}

TDlgLexRepit::TDlgLexRepit(QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgLexRepit");
    setupAnswerDialog(*this, QSize(420, 286), QStringLiteral("Результаты"));

    MemoComent = addMemo(this, QRect(20, 14, 380, 66), QStringLiteral("Результат упражнения"));
    MemoComent->setObjectName("MemoComent");
    showOnlyLine(*MemoComent, QStringLiteral("Вы просмотрели лексику урока."));

    auto *heading = new QLabel(QStringLiteral("Сейчас вы можете:"), this);
    heading->setObjectName("Label1");
    heading->setGeometry(20, 92, 380, 22);
    heading->setFont(arialFont(16, true));

    // A button with its choice written to its right; the label names the button too.
    auto addChoice = [this](int top, const char *name, const QString &text, SkinArt::ButtonSymbol symbol,
                            const char *labelName, QLabel *&label) {
        auto *button = new TBtnImgD1KL(this);
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
    BitBtnOk = addChoice(126, "BitBtnOk", QStringLiteral("Отметить упражнение как выполненное"),
                         SkinArt::ButtonSymbol::Confirm, "Label2", Label2);
    BitBtn3 = addChoice(176, "BitBtn3", QStringLiteral("Повторить упражнение еще раз"), SkinArt::ButtonSymbol::Repeat,
                        "Label3", label3);
    BitBtn3->setModalResult(mrRetry);
    BitBtn2 = addChoice(226, "BitBtn2", QStringLiteral("Просто выйти из упражнения"), SkinArt::ButtonSymbol::Exit,
                        "Label4", label4);
    BitBtn2->setModalResult(mrCancel);
    BitBtn2->setCancel(true);

    connect(BitBtnOk, &QAbstractButton::clicked, this, &TDlgLexRepit::BitBtnOkClick);
}

void TDlgLexRepit::prepare(const QString &message, bool markEnabled)
{
    showOnlyLine(*MemoComent, message);
    BitBtnOk->setEnabled(markEnabled);
    Label2->setEnabled(markEnabled);
}

void TDlgLexRepit::BitBtnOkClick()
{
    done(mrOk);
}

// Closing the dialog any other way (Esc, the window's close box) just leaves.
void TDlgLexRepit::reject()
{
    done(mrCancel);
}

void TDlgLexRepit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    (BitBtnOk->isEnabled() ? BitBtnOk : BitBtn3)->setFocus();
}

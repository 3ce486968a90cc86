#include "DlgPassWord.h"

#include "controls/BtnImgD1KL.h"
#include "ui/DialogFrame.h"

TDlgPassWord::TDlgPassWord(QWidget *parent) : QDialog(parent)
{
    setObjectName("DlgPassWord");
    setupDialogFrame(*this, QSize(216, 121), QStringLiteral("Пароль"));
    setProperty("helpContext", 0);

    EditPassWord = new QLineEdit(this);
    EditPassWord->setObjectName("EditPassWord");
    EditPassWord->setGeometry(18, 12, 180, 26);
    EditPassWord->setEchoMode(QLineEdit::Password);
    EditPassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    EditPassWord->setAccessibleName(QStringLiteral("Пароль"));

    BitBtnOk = addCaptionedButton(this, QPoint(44, 48), QStringLiteral("OK"), SkinArt::ButtonSymbol::Confirm, 80).button;
    BitBtnOk->setObjectName("BitBtnOk");
    BitBtnOk->setDefault(true);
    BitBtnOk->setModalResult(QDialog::Accepted);
    BitBtnCancel =
        addCaptionedButton(this, QPoint(130, 48), QStringLiteral("Отмена"), SkinArt::ButtonSymbol::Cancel, 80).button;
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setCancel(true);
    BitBtnCancel->setModalResult(QDialog::Rejected);
}

void TDlgPassWord::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    EditPassWord->clear();
    EditPassWord->setFocus();
}

#include "PasswordDialog.h"

#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"
#include "ui/Mnemonics.h"

PasswordDialog::PasswordDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName("passwordDialog");
    setupDialogFrame(*this, QSize(216, 121), QStringLiteral("Пароль"));
    setProperty("helpContext", 0);

    passwordField = new QLineEdit(this);
    passwordField->setObjectName("passwordField");
    passwordField->setGeometry(18, 12, 180, 26);
    passwordField->setEchoMode(QLineEdit::Password);
    passwordField->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    passwordField->setAccessibleName(QStringLiteral("Пароль"));

    okButton = addCaptionedButton(this, QPoint(44, 48), QStringLiteral("OK"), SkinArt::ButtonSymbol::Confirm, 80).button;
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    okButton->setModalResult(QDialog::Accepted);
    cancelButton =
        addCaptionedButton(this, QPoint(130, 48), QStringLiteral("Отмена"), SkinArt::ButtonSymbol::Cancel, 80).button;
    cancelButton->setObjectName("cancelButton");
    cancelButton->setCancel(true);
    cancelButton->setModalResult(QDialog::Rejected);
    assignMnemonics(*this);
}

void PasswordDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    passwordField->clear();
    passwordField->setFocus();
}

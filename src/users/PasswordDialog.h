#pragma once

#include <QDialog>
#include <QLineEdit>

class PictureButton;

// "Пароль": one masked field; emptied and focused every time it is shown.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget *parent = nullptr);

    QString password() const { return passwordField->text(); }

    QLineEdit *passwordField;
    PictureButton *okButton;
    PictureButton *cancelButton;

protected:
    void showEvent(QShowEvent *event) override;
};

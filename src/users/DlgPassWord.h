#pragma once

#include <QDialog>
#include <QLineEdit>

class TBtnImgD1KL;

// "Пароль": one masked field; emptied and focused every time it is shown.
class TDlgPassWord : public QDialog {
    Q_OBJECT
public:
    explicit TDlgPassWord(QWidget *parent = nullptr);

    QString password() const { return EditPassWord->text(); }

    QLineEdit *EditPassWord;
    TBtnImgD1KL *BitBtnOk;
    TBtnImgD1KL *BitBtnCancel;

protected:
    void showEvent(QShowEvent *event) override;
};

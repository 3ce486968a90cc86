#pragma once

#include <QDialog>

class PictureButton;

// An answer dialog the vocabulary and question windows share; made once at start-up.
// "Внимание": a first wrong answer ("Вы ошиблись." / "Попробуйте еще раз.").
class TryAgainDialog : public QDialog {
    Q_OBJECT
public:
    explicit TryAgainDialog(QWidget *parent = nullptr);
    PictureButton *okButton;

protected:
    void showEvent(QShowEvent *event) override;
};

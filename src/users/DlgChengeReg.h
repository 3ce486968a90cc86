#pragma once

#include <QDialog>

class ModeChoice;
class TBtnImgD1KL;

// "Изменить режим": the mode choice under a warning that results will be erased. The
// choice is kept from one showing to the next; it is not set from the current mode.
class TOKBottomDlgChengeReg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlgChengeReg(QWidget *parent = nullptr);

    QChar selectedMode() const;

    ModeChoice *Modes;
    TBtnImgD1KL *BitBtnOk;
    TBtnImgD1KL *BitBtnCancel;

protected:
    void showEvent(QShowEvent *event) override;
};

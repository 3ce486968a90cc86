#pragma once

#include <QDialog>

class ModeChoice;
class PictureButton;

// "Изменить режим": the mode choice under a warning that results will be erased. The main
// window sets the choice to the current mode before showing it.
class ModeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModeDialog(QWidget *parent = nullptr);

    QChar selectedMode() const;
    // Selects the choice of `mode`.
    void showMode(QChar mode);

    ModeChoice *modeChoice;
    PictureButton *okButton;
    PictureButton *cancelButton;
    PictureButton *helpButton;

protected:
    void showEvent(QShowEvent *event) override;
};

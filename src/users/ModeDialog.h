#pragma once

#include <QDialog>

class ModeChoice;
class PictureButton;

// "Изменить режим": the mode choice under a warning that results will be erased. The
// choice is kept from one showing to the next; it is not set from the current mode.
class ModeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModeDialog(QWidget *parent = nullptr);

    QChar selectedMode() const;

    ModeChoice *modeChoice;
    PictureButton *okButton;
    PictureButton *cancelButton;

protected:
    void showEvent(QShowEvent *event) override;
};

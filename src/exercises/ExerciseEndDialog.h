#pragma once

#include <QDialog>

class PictureButton;
class QLabel;
class QTextEdit;

// "Результаты": the end-of-exercise dialog the dispatcher fills. exec() returns mrOk (mark
// as done), mrRetry (repeat) or mrCancel (just leave), see controls/ModalResult.h.
class ExerciseEndDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExerciseEndDialog(QWidget *parent = nullptr);
    // Clears messageText and adds `message` as its only line; enables or disables the mark
    // choice (okButton and its label markLabel together).
    void prepare(const QString &message, bool markEnabled);

    QTextEdit *messageText;
    PictureButton *okButton;
    QLabel *markLabel;
    PictureButton *repeatButton;
    PictureButton *leaveButton;

    // Esc and the close box just leave: Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
};

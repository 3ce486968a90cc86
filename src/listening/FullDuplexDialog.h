#pragma once

#include <QDialog>

class AudioBackend;
class QTextEdit;
class SoundDevice;
class PictureButton;

// The full-duplex check and its warning "Внимание": made once at start-up, it holds the two
// test devices, playbackDevice on "Null.wav" and recordingDevice on "NullRec.wav", and shows
// itself only when the sound card cannot record while it plays.
class FullDuplexDialog : public QDialog {
    Q_OBJECT
public:
    explicit FullDuplexDialog(AudioBackend &audio, QWidget *parent = nullptr);

    // True when the card can play and record at once; otherwise the warning has been shown.
    bool testFullDuplex();

    SoundDevice *playbackDevice;
    SoundDevice *recordingDevice;
    QWidget *textPanel;
    QTextEdit *warningView;
    PictureButton *okButton;

    // The warning's lines, as the text box holds them.
    static QString warningText();

protected:
    void showEvent(QShowEvent *event) override;
};

// The dialog start-up made; testFullDuplex falls back to one of its own on the system's sound
// when there is none.
void setFullDuplexDialog(FullDuplexDialog *dialog);

// The check the exercise dispatcher runs before a recording exercise.
bool testFullDuplex();

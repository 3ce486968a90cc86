#pragma once

#include <QDialog>

class AudioBackend;
class QTextEdit;
class SoundDevice;
class TBtnImgD1KL;

// The full-duplex check and its warning "Внимание": made once at start-up, it holds the two
// test devices, MediaPlayer1 on "Null.wav" and MediaPlayer2 on "NullRec.wav", and shows
// itself only when the sound card cannot record while it plays.
class TDlgTestFullDulex : public QDialog {
    Q_OBJECT
public:
    explicit TDlgTestFullDulex(AudioBackend &audio, QWidget *parent = nullptr);

    // True when the card can play and record at once; otherwise the warning has been shown.
    bool TestFullDuplex();

    SoundDevice *MediaPlayer1;
    SoundDevice *MediaPlayer2;
    QWidget *Panel1;
    QTextEdit *Memo1;
    TBtnImgD1KL *BtnOk;

    // The warning's lines, as the text box holds them.
    static QString warningText();

protected:
    void showEvent(QShowEvent *event) override;
};

// The dialog start-up made; TestFullDuplex falls back to one of its own on the system's sound
// when there is none.
void setFullDuplexDialog(TDlgTestFullDulex *dialog);

// The check the exercise dispatcher runs before a recording exercise.
bool TestFullDuplex();

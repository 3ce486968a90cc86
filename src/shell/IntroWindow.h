#pragma once

#include <QDialog>
#include <QTimer>

class AudioBackend;
class SoundDevice;

// The intro: a borderless picture of 782 x 594 in the middle of the desktop, shown
// modally for 4.5 s when the program starts, with the intro music "music.wav".
class IntroWindow : public QDialog {
    Q_OBJECT
public:
    // Opens "music.wav" as it is made; raises the open error (missing file, no sound device).
    explicit IntroWindow(AudioBackend &audio, QWidget *parent = nullptr);

    QTimer *introEndTimer;
    SoundDevice *musicPlayer;

    static constexpr int ShowMs = 4500;

    void finishIntro();
    void stopMusicAtEnd();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage picture_;
};

#include "IntroWindow.h"

#include "controls/SkinArt.h"
#include "sound/SoundDevice.h"
#include "ui/DialogFrame.h"

#include <QKeyEvent>
#include <QPainter>

IntroWindow::IntroWindow(AudioBackend &audio, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), introEndTimer(new QTimer(this)),
      musicPlayer(new SoundDevice(audio, this)), picture_(SkinArt::introPicture())
{
    setObjectName("introWindow");
    setFixedSize(782, 594);
    setAccessibleName(QStringLiteral("Вестория"));
    introEndTimer->setObjectName("introEndTimer");
    introEndTimer->setInterval(ShowMs);
    introEndTimer->setSingleShot(true);
    connect(introEndTimer, &QTimer::timeout, this, &IntroWindow::finishIntro);

    musicPlayer->setObjectName("musicPlayer");
    musicPlayer->FileName = QStringLiteral("music.wav");
    musicPlayer->AutoOpen = true;
    connect(musicPlayer, &SoundDevice::OnNotify, this, &IntroWindow::stopMusicAtEnd);
    musicPlayer->windowCreated();
}

void IntroWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    introEndTimer->start();
    // Shown once per run; a device already closed has nothing left to play.
    if (musicPlayer->opened())
        musicPlayer->Play();
}

void IntroWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

// The intro has no controls; Esc must not cut the 4.5 s short through QDialog's reject.
void IntroWindow::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}

// The window goes after 4.5 s whatever the music does: longer music plays on under the
// main window, and its own end closes the device.
void IntroWindow::finishIntro()
{
    introEndTimer->stop();
    accept();
}

void IntroWindow::stopMusicAtEnd()
{
    musicPlayer->Close();
}

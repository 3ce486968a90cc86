#include "FormBegin.h"

#include "controls/SkinArt.h"
#include "sound/SoundDevice.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

TFormBegin::TFormBegin(AudioBackend &audio, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Timer1(new QTimer(this)),
      MediaPlayerBegin(new SoundDevice(audio, this)), picture_(SkinArt::introPicture())
{
    setObjectName("FormBegin");
    setFixedSize(782, 594);
    setAccessibleName(QStringLiteral("Вестория"));
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(ShowMs);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFormBegin::Timer1Timer);

    MediaPlayerBegin->setObjectName("MediaPlayerBegin");
    MediaPlayerBegin->FileName = QStringLiteral("music.wav");
    MediaPlayerBegin->AutoOpen = true;
    connect(MediaPlayerBegin, &SoundDevice::OnNotify, this, &TFormBegin::MediaPlayerBeginNotify);
    MediaPlayerBegin->windowCreated();
}

void TFormBegin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Timer1->start();
    // Shown once per run; a device already closed has nothing left to play.
    if (MediaPlayerBegin->opened())
        MediaPlayerBegin->Play();
}

void TFormBegin::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

// The intro has no controls; Esc must not cut the 4.5 s short through QDialog's reject.
void TFormBegin::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}

// The window goes after 4.5 s whatever the music does: longer music plays on under the
// main window, and its own end closes the device.
void TFormBegin::Timer1Timer()
{
    Timer1->stop();
    accept();
}

void TFormBegin::MediaPlayerBeginNotify()
{
    MediaPlayerBegin->Close();
}

#include "FormBegin.h"

#include "controls/SkinArt.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

TFormBegin::TFormBegin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Timer1(new QTimer(this)),
      picture_(SkinArt::introPicture())
{
    setObjectName("FormBegin");
    setFixedSize(782, 594);
    setAccessibleName(QStringLiteral("Вестория"));
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(ShowMs);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFormBegin::Timer1Timer);
}

void TFormBegin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Timer1->start();
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

void TFormBegin::Timer1Timer()
{
    Timer1->stop();
    accept();
}

#include "FormProgress.h"

#include "controls/PrgssBarKL.h"
#include "controls/SkinArt.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

// A repaint per entry would cost more than the rebuild itself; the eye needs no more
// than one frame in this many milliseconds.
constexpr int RepaintIntervalMs = 16;

} // namespace

TFormProgress::TFormProgress(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("FormProgress");
    setFixedSize(409, 67);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinArt::dialogBackground());
    setPalette(background);

    auto *label = new QLabel(QStringLiteral("Пожалуйста, подождите..."), this);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(15);
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 6, 409, 22);

    ProgressBarTree = new TPrgssBarKL(this);
    ProgressBarTree->setObjectName("ProgressBarTree");
    ProgressBarTree->setAccessibleName(QStringLiteral("Пожалуйста, подождите..."));
    SkinArt::applyProgressBarPictures(*ProgressBarTree);
    ProgressBarTree->setGeometry(12, 34, 385, 22);
    ProgressBarTree->setMin(0);
    ProgressBarTree->setMax(100);
    ProgressBarTree->setPosition(0);
}

void TFormProgress::begin(int maximum)
{
    ProgressBarTree->setPosition(0);
    ProgressBarTree->setMax(maximum);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    sinceRepaint_.start();
}

void TFormProgress::advance(int position)
{
    ProgressBarTree->setPosition(position);
    if (sinceRepaint_.elapsed() >= RepaintIntervalMs) {
        repaint();
        sinceRepaint_.restart();
    }
}

void TFormProgress::end()
{
    hide();
}

#include "TreeProgressWindow.h"

#include "DialogFrame.h"

#include "controls/PictureProgressBar.h"
#include "controls/SkinArt.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace {

// The eye needs no more than one frame in this many milliseconds.
constexpr int RepaintIntervalMs = 16;
// How long the window may take to come on screen before the work starts anyway.
constexpr int MaxExposeWaitMs = 250;

} // namespace

TreeProgressWindow::TreeProgressWindow(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("treeProgressWindow");
    setFixedSize(409, 67);
    fillWithDialogBackground(*this);

    auto *label = new QLabel(QStringLiteral("Пожалуйста, подождите..."), this);
    label->setFont(arialFont(15, true));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 6, 409, 22);

    progressBar = new PictureProgressBar(this);
    progressBar->setObjectName("progressBar");
    progressBar->setAccessibleName(QStringLiteral("Пожалуйста, подождите..."));
    SkinArt::applyProgressBarPictures(*progressBar);
    progressBar->setGeometry(12, 34, 385, 22);
    progressBar->setMin(0);
    progressBar->setMax(100);
    progressBar->setPosition(0);
}

void TreeProgressWindow::begin(int maximum)
{
    progressBar->setPosition(0);
    progressBar->setMax(maximum);
    centreOnScreen(*this);
    show();
    // A window the windowing system has not yet exposed takes no painting, and no events
    // are handled while the tree is built: wait (briefly) for it to appear first.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < MaxExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
    sinceRepaint_.start();
}

void TreeProgressWindow::advance(int position)
{
    // No events are handled while the tree is built, so the bar is moved and the window
    // painted here, as often as the eye needs it rather than for every entry.
    if (sinceRepaint_.elapsed() >= RepaintIntervalMs) {
        progressBar->setPosition(position);
        repaint();
        sinceRepaint_.restart();
    }
}

void TreeProgressWindow::end()
{
    hide();
}

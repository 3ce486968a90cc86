#include "DialogFrame.h"

#include "controls/PictureButton.h"

#include <QGuiApplication>
#include <QScreen>

void setupDialogFrame(QDialog &dialog, QSize clientSize, const QString &caption)
{
    dialog.setFixedSize(clientSize);
    dialog.setWindowTitle(caption);
    dialog.setAutoFillBackground(true);
    QPalette background = dialog.palette();
    background.setColor(QPalette::Window, SkinArt::dialogBackground());
    dialog.setPalette(background);
    dialog.setFont(arialFont(15));
}

void centreOnScreen(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

CaptionedButton addCaptionedButton(QWidget *parent, QPoint topLeft, const QString &caption,
                                   SkinArt::ButtonSymbol symbol, int captionWidth)
{
    auto *button = new PictureButton(parent);
    button->setGeometry(QRect(topLeft, QSize(41, 36)));
    button->setText(caption);
    SkinArt::applyPushButtonGlyphs(*button, symbol);

    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(topLeft.x() + 41 / 2 - captionWidth / 2, topLeft.y() + 38, captionWidth, 20);
    label->setBuddy(button);
    return {button, label};
}

QFont arialFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

#include "DialogFrame.h"

#include "HelpDesk.h"

#include "controls/PictureButton.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

void setupDialogFrame(QDialog &dialog, QSize clientSize, const QString &caption)
{
    dialog.setFixedSize(clientSize);
    dialog.setWindowTitle(caption);
    fillWithDialogBackground(dialog);
    dialog.setFont(arialFont(15));
}

void fillWithDialogBackground(QWidget &widget)
{
    widget.setAutoFillBackground(true);
    QPalette background = widget.palette();
    background.setColor(QPalette::Window, SkinArt::dialogBackground());
    widget.setPalette(background);
}

PictureButton *addHelpButton(QWidget *parent, QPoint topLeft, const QString &helpKey)
{
    PictureButton *button = addCaptionedButton(parent, topLeft, QStringLiteral("Помощь"), SkinArt::ButtonSymbol::Help).button;
    button->setObjectName("helpButton");
    QObject::connect(button, &QPushButton::clicked, button, [helpKey] { helpByKey(helpKey); });
    return button;
}

void showCentredText(QTextEdit &memo, const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    memo.clear();
    memo.setPlainText(lines);
    QTextCursor all(memo.document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignCenter);
    all.mergeBlockFormat(centred);
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

#pragma once

#include "controls/SkinArt.h"

#include <QDialog>
#include <QLabel>
#include <QString>

class PictureButton;

// The common frame of the program's dialogs: fixed client size, the dialog background
// colour, a caption, centred on the screen when shown.
void setupDialogFrame(QDialog &dialog, QSize clientSize, const QString &caption);

// Centres a top-level window on the available desktop.
void centreOnScreen(QWidget &window);

// A skinned picture push button with its caption in a label underneath, as every dialog
// and exercise window has them. The caption is also the button's accessible name.
struct CaptionedButton {
    PictureButton *button;
    QLabel *caption;
};
CaptionedButton addCaptionedButton(QWidget *parent, QPoint topLeft, const QString &caption,
                                   SkinArt::ButtonSymbol symbol, int captionWidth = 110);

// Arial at a pixel size, as the windows use it.
QFont arialFont(int pixelSize, bool bold = false);

#pragma once

#include "controls/SkinArt.h"

#include <QDialog>
#include <QLabel>
#include <QString>

class PictureButton;
class QTextEdit;

// The common frame of the program's dialogs: fixed client size, the dialog background
// colour, a caption, centred on the screen when shown.
void setupDialogFrame(QDialog &dialog, QSize clientSize, const QString &caption);

// Fills the widget's background with the dialog colour.
void fillWithDialogBackground(QWidget &widget);

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

// Replaces the memo's text with `text` (CR LF or CR between its lines), every line centred.
void showCentredText(QTextEdit &memo, const QString &text);

// The dialogs' "Помощь" button (a captioned button, object name "helpButton"): a click opens
// the help topic of `helpKey`.
PictureButton *addHelpButton(QWidget *parent, QPoint topLeft, const QString &helpKey);

// Arial at a pixel size, as the windows use it.
QFont arialFont(int pixelSize, bool bold = false);

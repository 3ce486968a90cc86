#pragma once

#include "ExerciseWindowParts.h"

#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

class QDialog;
class TBtnImgD1KL;
class TBtnImgTransD1KL;

// Pieces the vocabulary windows are built from.
namespace LexicWindow {

// A read-only one-line field for an expression or a translation.
QLineEdit *addTextField(QWidget *parent, const QRect &geometry, const QString &accessibleName);

// A skinned push button with its caption under it.
TBtnImgD1KL *addPushButton(QWidget *parent, QPoint topLeft, const QString &caption, SkinArt::ButtonSymbol symbol);



// The window's hidden push buttons, which keep the old keyboard paths (Enter on "ОК").
TBtnImgD1KL *addHiddenButton(QWidget *parent, const QString &caption);

// Hides a control together with the label that names it.
void hideWithCaption(QWidget &control);

} // namespace LexicWindow

#pragma once

#include "ExerciseWindowParts.h"

#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

class QDialog;
class PictureButton;
class FlatPictureButton;

// Pieces the vocabulary windows are built from.
namespace VocabularyWindow {

// A read-only one-line field for an expression or a translation.
QLineEdit *addTextField(QWidget *parent, const QRect &geometry, const QString &accessibleName);

// A skinned push button with its caption under it.
PictureButton *addPushButton(QWidget *parent, QPoint topLeft, const QString &caption, SkinArt::ButtonSymbol symbol);



// The window's hidden push buttons, which keep the old keyboard paths (Enter on "ОК").
PictureButton *addHiddenButton(QWidget *parent, const QString &caption);

// Hides a control together with the label that names it.
void hideWithCaption(QWidget &control);

} // namespace VocabularyWindow

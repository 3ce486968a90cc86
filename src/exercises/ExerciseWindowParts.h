#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <exception>

#include "controls/SkinArt.h"

class QAbstractButton;
class QDialog;
class QLabel;
class QWidget;
class FlatPictureButton;

// Pieces every exercise window is built from.

// The frame of an exercise window: fixed size, no border or caption bar, the exercise
// background, the help context F1 asks for (0: none).
void setupExerciseWindow(QDialog &window, QSize size, const QString &name, int helpContext);

// Places a window of its size centred on a screen point; halves truncate toward zero.
void centreOnPoint(QWidget &window, QPoint centre);

// The window's Enter key clicks `button`, which lies under a panel and is hidden: a hidden
// button is not offered to a screen reader as a control on screen, and a dialog's own
// default-button rule ignores hidden buttons, so the window passes Enter on itself (what a
// focused control does not take itself, as for a default button).
void giveEnterKeyTo(QDialog &window, QAbstractButton &button);

// A picture button of the bottom row with its caption under it.
FlatPictureButton *addPictureButton(QWidget *parent, QPoint topLeft, const QString &caption,
                                   SkinArt::ButtonSymbol symbol);

// A counter of the bottom row: a number over its caption. Returns the number's label, whose
// accessible name is the caption with the number.
QLabel *addCounter(QWidget *parent, QPoint topLeft, const QString &caption, int width = 80);

// The message an exercise's loader gives for any file it could not read: the design's text,
// then the file and what is wrong with it when the error knows them.
void reportExerciseReadError(const std::exception &error,
                             const QString &designText = QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));

// The entry routines' result for a window's modal result: OK 0, Ignore 1, anything else
// (Cancel, a close request) 2.
int exerciseRunResult(int modalResult);

#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QDialog;
class QWidget;

// The frame of an exercise window: fixed size, no border or caption bar, the exercise
// background, the help context F1 asks for (0: none).
void setupExerciseWindow(QDialog &window, QSize size, const QString &name, int helpContext);

// Places a window of its size centred on a screen point; halves truncate toward zero.
void centreOnPoint(QWidget &window, QPoint centre);

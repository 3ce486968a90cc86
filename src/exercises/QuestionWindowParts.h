#pragma once

#include "ExerciseWindowParts.h"

#include "controls/FramedPanel.h"
#include "controls/SkinArt.h"

#include <QString>
#include <QWidget>

class QDialog;
class QLabel;
class QTextEdit;
class FlatPictureButton;

// Pieces the question windows are built from.

// The four course files of a question exercise, in the catalogue's order File1, File2,
// File4, File3.
struct QuestionFiles {
    QString first;
    QString second;
    QString segment;
    QString sound;
};

// A read-only memo showing one text; it takes no focus, so Enter reaches the default button.
QTextEdit *addQuestionText(QWidget *parent, const QRect &geometry, const QString &accessibleName, int pixelSize);
// Replaces the memo's text with `text` as its only line.
void showMemoLine(QTextEdit &memo, const QString &text);


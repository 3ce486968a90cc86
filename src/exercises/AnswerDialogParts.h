#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class PictureButton;
class QDialog;
class QLabel;
class QTextEdit;
class QWidget;

// Pieces of the answer dialogs and the end-of-exercise dialog.

// These dialogs stand over the exercise windows and take their blue, not the grey-blue of
// the other dialogs.
void setupAnswerDialog(QDialog &dialog, QSize clientSize, const QString &caption);
QLabel *addIcon(QWidget *parent, QPoint topLeft, int iconIndex, const QString &name);
QTextEdit *addMemo(QWidget *parent, const QRect &geometry, const QString &accessibleName);
PictureButton *addOkButton(QWidget *parent, QPoint topLeft);

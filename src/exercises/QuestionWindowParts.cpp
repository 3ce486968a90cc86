#include "QuestionWindowParts.h"

#include "controls/FlatPictureButton.h"
#include "ui/DialogFrame.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>

QTextEdit *addQuestionText(QWidget *parent, const QRect &geometry, const QString &accessibleName, int pixelSize)
{
    auto *memo = new QTextEdit(parent);
    memo->setGeometry(geometry);
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFont(arialFont(pixelSize));
    memo->setAccessibleName(accessibleName);
    return memo;
}

void showMemoLine(QTextEdit &memo, const QString &text)
{
    memo.setPlainText(text);
}


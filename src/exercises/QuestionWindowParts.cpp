#include "QuestionWindowParts.h"

#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"

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



int questionRunResult(int modalResult)
{
    switch (modalResult) {
    case mrOk:
        return 0;
    case mrIgnore:
        return 1;
    default:
        return 2;
    }
}

void reportQuestionReadError()
{
    showMessageBox(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "), QStringLiteral("Ошибка чтения файла"), 16);
}

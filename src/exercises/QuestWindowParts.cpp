#include "QuestWindowParts.h"

#include "controls/BtnImgTransD1KL.h"
#include "controls/ModalResult.h"
#include "shell/DialogFrame.h"
#include "shell/DlgMessage.h"

#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>

QTextEdit *addQuestMemo(QWidget *parent, const QRect &geometry, const QString &accessibleName, int pixelSize)
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

TBtnImgTransD1KL *addQuestPictureButton(QWidget *parent, QPoint topLeft, const QString &caption,
                                        SkinArt::ButtonSymbol symbol)
{
    auto *button = new TBtnImgTransD1KL(parent);
    SkinArt::applyButtonPictures(*button, symbol);
    button->move(topLeft);
    button->setText(caption);
    button->setToolTip(caption);

    constexpr int CaptionWidth = 110;
    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(topLeft.x() + button->width() / 2 - CaptionWidth / 2, topLeft.y() + button->height() + 2,
                       CaptionWidth, 18);
    return button;
}

QLabel *addQuestCounter(QWidget *parent, QPoint topLeft, const QString &caption)
{
    constexpr int Width = 70;
    auto *number = new QLabel(QStringLiteral("0"), parent);
    number->setFont(arialFont(20, true));
    number->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    number->setGeometry(topLeft.x(), topLeft.y(), Width, 26);
    number->setAccessibleName(caption);

    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(topLeft.x(), topLeft.y() + 28, Width, 18);
    return number;
}

int questRunResult(int modalResult)
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

void reportQuestReadError()
{
    ShowMessageBox(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "), QStringLiteral("Ошибка чтения файла"), 16);
}

#include "AnswerDialogParts.h"

#include "controls/ModalResult.h"
#include "controls/PictureButton.h"
#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"

#include <QLabel>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

void setupAnswerDialog(QDialog &dialog, QSize clientSize, const QString &caption)
{
    setupDialogFrame(dialog, clientSize, caption);
    QPalette background = dialog.palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    dialog.setPalette(background);
}

QLabel *addIcon(QWidget *parent, QPoint topLeft, int iconIndex, const QString &name)
{
    auto *icon = new QLabel(parent);
    icon->setObjectName("iconLabel");
    icon->setGeometry(QRect(topLeft, QSize(32, 32)));
    icon->setPixmap(SkinArt::messageIcon(iconIndex));
    icon->setAccessibleName(name);
    return icon;
}

QTextEdit *addMemo(QWidget *parent, const QRect &geometry, const QString &accessibleName)
{
    auto *memo = new QTextEdit(parent);
    memo->setGeometry(geometry);
    memo->setReadOnly(true);
    memo->setFont(arialFont(16, true));
    memo->setAccessibleName(accessibleName);
    return memo;
}

PictureButton *addOkButton(QWidget *parent, QPoint topLeft)
{
    auto *button = new PictureButton(parent);
    button->setObjectName("okButton");
    button->setGeometry(QRect(topLeft, QSize(41, 36)));
    button->setText(QStringLiteral("OK"));
    SkinArt::applyPushButtonGlyphs(*button, SkinArt::ButtonSymbol::Confirm);
    button->setDefault(true);
    button->setModalResult(mrOk);
    return button;
}

#include "TryAgainDialog.h"

#include "AnswerDialogParts.h"

#include "controls/PictureButton.h"

#include <QLabel>
#include <QShowEvent>
#include "ui/DialogFrame.h"

TryAgainDialog::TryAgainDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName("tryAgainDialog");
    setupAnswerDialog(*this, QSize(300, 146), QStringLiteral("Внимание"));

    addIcon(this, QPoint(28, 26), 2, QStringLiteral("Внимание"));
    auto *line1 = new QLabel(QStringLiteral("Вы ошиблись."), this);
    line1->setObjectName("headingLabel");
    line1->setGeometry(80, 22, 200, 20);
    line1->setFont(arialFont(16, true));
    auto *line2 = new QLabel(QStringLiteral("Попробуйте еще раз."), this);
    line2->setObjectName("secondLine");
    line2->setGeometry(80, 46, 200, 20);
    line2->setFont(arialFont(16, true));

    okButton = addOkButton(this, QPoint(130, 96));
}

void TryAgainDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

#include "ModeDialog.h"

#include "ModeChoice.h"

#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"
#include "ui/Mnemonics.h"

#include <QLabel>
#include <QVBoxLayout>

ModeDialog::ModeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName("modeDialog");
    setupDialogFrame(*this, QSize(627, 399), QStringLiteral("Изменить режим"));
    setProperty("helpContext", 40);

    auto *attention = new QLabel(QStringLiteral("Внимание !!!"), this);
    attention->setFont(arialFont(19, true));
    attention->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    attention->setGeometry(20, 14, 160, 40);
    auto *warning = new QLabel(QStringLiteral("При изменении режима информация о ранее выполненных\n"
                                              "упражнениях будет удалена."),
                               this);
    warning->setFont(arialFont(12));
    warning->setGeometry(190, 14, 420, 40);

    auto *panel = new QWidget(this);
    panel->setGeometry(12, 54, 603, 272);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(6, 4, 6, 4);
    modeChoice = new ModeChoice(panel);
    panelLayout->addWidget(modeChoice);

    okButton = addCaptionedButton(this, QPoint(150, 332), QStringLiteral("Подтверждние"), SkinArt::ButtonSymbol::Confirm)
                   .button;
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    okButton->setModalResult(QDialog::Accepted);
    cancelButton =
        addCaptionedButton(this, QPoint(293, 332), QStringLiteral("Отмена"), SkinArt::ButtonSymbol::Cancel).button;
    cancelButton->setObjectName("cancelButton");
    cancelButton->setCancel(true);
    cancelButton->setModalResult(QDialog::Rejected);
    helpButton = addHelpButton(this, QPoint(436, 332), QStringLiteral("SelectReg"));
    assignMnemonics(*this);
}

void ModeDialog::showMode(QChar mode)
{
    modeChoice->select(mode);
}

QChar ModeDialog::selectedMode() const
{
    return modeChoice->selected();
}

void ModeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

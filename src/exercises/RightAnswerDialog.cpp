#include "RightAnswerDialog.h"

#include "AnswerDialogParts.h"

#include "controls/PictureButton.h"
#include "ui/DialogFrame.h"

#include <QLabel>
#include <QLocale>
#include <QTextEdit>

RightAnswerDialog::RightAnswerDialog(AnswerLanguage language, QWidget *parent) : QDialog(parent)
{
    setObjectName(language == AnswerLanguage::Russian ? "vocabularyRightAnswerDialog" : "rightAnswerDialog");
    setupAnswerDialog(*this, QSize(380, 206), QStringLiteral("Ошибка"));

    addIcon(this, QPoint(22, 16), 0, QStringLiteral("Ошибка"));
    auto *heading = new QLabel(QStringLiteral("Вы ошиблись. Правильный ответ:"), this);
    heading->setObjectName("headingLabel");
    heading->setGeometry(70, 22, 290, 22);
    heading->setFont(arialFont(16, true));
    QPalette red = heading->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    heading->setPalette(red);

    rightAnswerText = addMemo(this, QRect(20, 58, 340, 84), QStringLiteral("Правильный ответ"));
    rightAnswerText->setObjectName("rightAnswerText");
    // Tells speech output which language to read the answer in.
    rightAnswerText->setLocale(QLocale(language == AnswerLanguage::Russian ? QLocale::Russian : QLocale::English));

    okButton = addOkButton(this, QPoint(170, 156));
}

void RightAnswerDialog::showRightAnswer(const QString &text)
{
    showCentredText(*rightAnswerText, text);
    exec();
}

void RightAnswerDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
    okButton->setFocus();
}

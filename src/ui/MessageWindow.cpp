#include "MessageWindow.h"

#include "DialogFrame.h"

#include "controls/PictureButton.h"
#include "controls/ShortcutClick.h"
#include "controls/SkinArt.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTextEdit>

namespace {

QPointer<MessageWindow> registeredWindow;

// The grey panel framed by its decorative pieces.
class MessagePanel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        SkinArt::paintMessagePanel(painter, rect());
    }
};

} // namespace

MessageWindow::MessageWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("messageWindow");
    setFixedSize(379, 211);
    fillWithDialogBackground(*this);

    auto *panel = new MessagePanel(this);
    panel->setGeometry(0, 0, 380, 141);

    iconLabel = new QLabel(panel);
    iconLabel->setObjectName("iconLabel");
    iconLabel->setGeometry(36, 49, 32, 32);

    messageText = new QTextEdit(panel);
    messageText->setObjectName("messageText");
    messageText->setGeometry(116, 40, 240, 71);
    messageText->setReadOnly(true);
    messageText->setFrameShape(QFrame::NoFrame);
    messageText->setAlignment(Qt::AlignCenter);
    messageText->setAccessibleName(QStringLiteral("Сообщение"));
    messageText->setFont(arialFont(15));

    okButton = new PictureButton(this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(166, 166, 41, 36);
    okButton->setText(QStringLiteral("OK"));
    okButton->setGlyph(SkinArt::okGlyph());
    okButton->setGlyphDown(SkinArt::okGlyphDown());
    okButton->setModalResult(QDialog::Accepted);

    CaptionedButton yes = addCaptionedButton(this, QPoint(118, 148), QStringLiteral("Да"), SkinArt::ButtonSymbol::Confirm, 60);
    yesButton = yes.button;
    yesButton->setObjectName("yesButton");
    yesButton->setModalResult(QDialog::Accepted);
    yes.caption->setText(QStringLiteral("&Да"));
    CaptionedButton no = addCaptionedButton(this, QPoint(214, 148), QStringLiteral("Нет"), SkinArt::ButtonSymbol::Cancel, 60);
    noButton = no.button;
    noButton->setObjectName("noButton");
    noButton->setModalResult(QDialog::Rejected);
    no.caption->setText(QStringLiteral("&Нет"));
    yesCaption_ = yes.caption;
    noCaption_ = no.caption;
    // The captions are hidden until a question is asked, so assignMnemonics would pass them
    // by: their letters are made to act at once here, as every other button's do.
    clickOnShortcutAtOnce(*yesCaption_);
    clickOnShortcutAtOnce(*noCaption_);
    // Which button is the default and which Esc clicks follows from what is shown.
    showChoices(false);
}

void MessageWindow::showChoices(bool question)
{
    okButton->setVisible(!question);
    okButton->setDefault(!question);
    for (QWidget *choice : std::initializer_list<QWidget *>{yesButton, noButton, yesCaption_, noCaption_})
        choice->setVisible(question);
    noButton->setDefault(question);
    noButton->setCancel(question);
}

int MessageWindow::iconIndexForFlag(int iconFlag)
{
    const int group = (iconFlag & 0xF0) >> 4;
    return (group >= 1 && group <= 4) ? group - 1 : 3;
}

void MessageWindow::prepare(const QString &text, const QString &caption, int iconFlag)
{
    showChoices(false);
    iconIndex_ = iconIndexForFlag(iconFlag);
    iconLabel->setPixmap(SkinArt::messageIcon(iconIndex_));
    static const char *const iconNames[] = {"Стоп", "Вопрос", "Внимание", "Информация"};
    iconLabel->setAccessibleName(QString::fromUtf8(iconNames[iconIndex_]));

    showCentredText(*messageText, text);

    // An empty title would make Qt show the application's name in its place; a space
    // keeps the caption bar empty, as the message asks.
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
}

QString MessageWindow::shownText() const
{
    return messageText->toPlainText();
}

void MessageWindow::showMessage(const QString &text, const QString &caption, int iconFlag)
{
    prepare(text, caption, iconFlag);
    exec();
}

bool MessageWindow::ask(const QString &text, const QString &caption)
{
    constexpr int QuestionIcon = 32;
    prepare(text, caption, QuestionIcon);
    showChoices(true);
    noButton->setFocus();
    return exec() == QDialog::Accepted;
}

void setMessageWindow(MessageWindow *window)
{
    registeredWindow = window;
}

void showMessageBox(const QString &text, const QString &caption, int iconFlag)
{
    if (registeredWindow) {
        registeredWindow->showMessage(text, caption, iconFlag);
        return;
    }
    MessageWindow window;
    window.showMessage(text, caption, iconFlag);
}

void showErrorMessage(const QString &text)
{
    showMessageBox(text, QStringLiteral("Ошибка"), 16);
}

bool askMessageBox(const QString &text, const QString &caption)
{
    if (registeredWindow)
        return registeredWindow->ask(text, caption);
    MessageWindow window;
    return window.ask(text, caption);
}

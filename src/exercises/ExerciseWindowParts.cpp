#include "ExerciseWindowParts.h"

#include "controls/CounterLabel.h"
#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "core/CourseError.h"

#include "controls/SkinArt.h"
#include "ui/DialogFrame.h"
#include "ui/MessageWindow.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

namespace {

class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QAbstractButton &button, QObject *parent) : QObject(parent), button_(&button) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // The keys and modifiers a dialog's default button answers.
        const bool enter = (key->key() == Qt::Key_Return && !key->modifiers()) ||
                           (key->key() == Qt::Key_Enter && (key->modifiers() & ~Qt::KeypadModifier) == 0);
        if (!enter || !button_)
            return false;
        if (button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QPointer<QAbstractButton> button_;
};

} // namespace

void setupExerciseWindow(QDialog &window, QSize size, const QString &name, int helpContext)
{
    window.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    window.setFixedSize(size);
    window.setWindowTitle(name);
    window.setAccessibleName(name);
    window.setAutoFillBackground(true);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, SkinArt::windowBackground());
    window.setPalette(background);
    window.setFont(arialFont(15));
    window.setProperty("helpContext", helpContext);
}

void giveEnterKeyTo(QDialog &window, QAbstractButton &button)
{
    button.hide();
    window.installEventFilter(new EnterKeyFilter(button, &window));
}

void centreOnPoint(QWidget &window, QPoint centre)
{
    window.move(centre.x() - window.width() / 2, centre.y() - window.height() / 2);
}

FlatPictureButton *addPictureButton(QWidget *parent, QPoint topLeft, const QString &caption,
                                   SkinArt::ButtonSymbol symbol)
{
    auto *button = new FlatPictureButton(parent);
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
    label->setBuddy(button);
    return button;
}

QLabel *addCounter(QWidget *parent, QPoint topLeft, const QString &caption, int width)
{
    auto *number = new CounterLabel(caption, parent);
    number->setText(QStringLiteral("0"));
    number->setFont(arialFont(20, true));
    number->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    number->setGeometry(topLeft.x(), topLeft.y(), width, 26);
    auto *label = new QLabel(caption, parent);
    label->setFont(arialFont(13));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(topLeft.x(), topLeft.y() + 28, width, 18);
    return number;
}

void reportExerciseReadError(const std::exception &error, const QString &designText)
{
    QString text = designText;
    if (const auto *courseError = dynamic_cast<const CourseError *>(&error))
        text += courseError->fileText() + u'\r' + courseError->message();
    showMessageBox(text, QStringLiteral("Ошибка чтения файла"), 16);
}

int exerciseRunResult(int modalResult)
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

#include "ScriptedInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {

// The widget a key goes to: the focus of the modal window when one is open (also while it
// is not yet active), else the focus of the application or of the shown main window.
QWidget *keyTarget()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal->focusWidget() ? modal->focusWidget() : modal;
    if (QWidget *focus = QApplication::focusWidget())
        return focus;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->focusWidget())
            return window->focusWidget();
    }
    return nullptr;
}

void pressKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QWidget *target = keyTarget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    // The press may have closed the window it went to.
    if (QWidget *after = keyTarget()) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(after, &release);
    }
}

} // namespace

ScriptedInput::ScriptedInput(QObject *parent)
    : QObject(parent), notifier_(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(notifier_, &QSocketNotifier::activated, this, &ScriptedInput::readCommands);
}

void ScriptedInput::readCommands()
{
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        notifier_->setEnabled(false); // the script has ended
        return;
    }
    pending_.append(buffer, got);
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        const QByteArray line = pending_.left(end).trimmed();
        pending_.remove(0, end + 1);
        // Run from the event loop, not from here: a command that opens a modal window waits
        // in it, and the next commands must still be read meanwhile.
        QTimer::singleShot(0, this, [line] { run(line); });
    }
}

void ScriptedInput::run(const QByteArray &line)
{
    const qsizetype space = line.indexOf(' ');
    const QByteArray command = line.left(space);
    const QString argument = space < 0 ? QString() : QString::fromUtf8(line.mid(space + 1));
    if (command == "key") {
        const QKeySequence sequence = QKeySequence::fromString(argument, QKeySequence::PortableText);
        if (sequence.isEmpty())
            return;
        const QKeyCombination combination = sequence[0];
        const int key = combination.key();
        const QString text = key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r")
                             : key == Qt::Key_Escape                        ? QStringLiteral("\x1b")
                                                                            : QString();
        pressKey(key, combination.keyboardModifiers(), text);
    } else if (command == "text") {
        for (const QChar c : argument)
            pressKey(c.isLetter() ? QChar(c.toUpper()).unicode() : c.unicode(), Qt::NoModifier, QString(c));
    } else if (command == "click") {
        // The modal window when one is open (nothing else takes input then), else any shown window.
        QWidget *modal = QApplication::activeModalWidget();
        const QWidgetList windows = modal ? QWidgetList{modal} : QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            auto *button = window->isVisible() ? window->findChild<QAbstractButton *>(argument) : nullptr;
            if (button && button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
}

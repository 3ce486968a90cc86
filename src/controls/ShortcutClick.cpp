#include "ShortcutClick.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>

namespace {

constexpr int PressedLookMs = 100;

class ShortcutClicker final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // An ambiguous key only moves the focus, as Qt does.
        if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        QPointer<QAbstractButton> button = qobject_cast<QAbstractButton *>(watched);
        if (auto *label = qobject_cast<QLabel *>(watched)) {
            button = qobject_cast<QAbstractButton *>(label->buddy());
            if (!button)
                return false; // a field's label: Qt moves the focus to the field
            if (button->focusPolicy() != Qt::NoFocus)
                button->setFocus(Qt::ShortcutFocusReason);
        }
        if (!button)
            return false;
        button->click();
        if (button && button->isEnabled() && button->isVisible()) {
            button->setDown(true);
            QTimer::singleShot(PressedLookMs, button, [button] { button->setDown(false); });
        }
        return true;
    }
};

} // namespace

void clickOnShortcutAtOnce(QWidget &target)
{
    if (target.findChild<ShortcutClicker *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    target.installEventFilter(new ShortcutClicker(&target));
}

#include "HelpDesk.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

HelpDesk *registeredDesk = nullptr;

// One filter on the application sees F1 before any window does, so every window gets
// help from its "helpContext" without code of its own.
class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget)
            return false;
        helpByNumber(helpContextOf(widget));
        return true;
    }
};

} // namespace

void setHelpDesk(HelpDesk *desk)
{
    registeredDesk = desk;
}

void helpByNumber(int contextNumber)
{
    if (registeredDesk)
        registeredDesk->showTopic(contextNumber);
}

void helpByKey(const QString &key)
{
    if (registeredDesk)
        registeredDesk->showTopic(key);
}

void installHelpKey()
{
    static QPointer<HelpKeyFilter> filter;
    if (filter || !qApp)
        return;
    filter = new HelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

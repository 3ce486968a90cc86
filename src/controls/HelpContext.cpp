#include "HelpContext.h"

#include <QVariant>
#include <QWidget>

int helpContextOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property("helpContext").toInt();
        if (context != 0)
            return context;
        if (widget->isWindow())
            break;
    }
    return 0;
}

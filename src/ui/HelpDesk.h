#pragma once

#include "controls/HelpContext.h"

#include <QString>

class QWidget;

// Whoever answers the program's help requests: the help viewer in the program, a recorder
// in tests. Windows never talk to it directly; they call helpByNumber and helpByKey.
class HelpDesk {
public:
    virtual ~HelpDesk() = default;
    // A topic by the help context number of a window; 0 opens the contents.
    virtual void showTopic(int contextNumber) = 0;
    // A topic by the key of a help button.
    virtual void showTopic(const QString &key) = 0;
};

// The desk start-up made; without one (before start-up, in tests that set none) a request
// does nothing.
void setHelpDesk(HelpDesk *desk);

void helpByNumber(int contextNumber);
void helpByKey(const QString &key);


// Makes F1 anywhere in the application ask for the help context of the focused control's
// window. Safe to call more than once.
void installHelpKey();

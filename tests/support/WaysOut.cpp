#include "WaysOut.h"

#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

const char *nameOf(WayOut way)
{
    switch (way) {
    case WayOut::Esc:
        return "Esc";
    case WayOut::CancelButton:
        return "cancel button";
    case WayOut::CloseBox:
        return "close box";
    }
    return "?";
}

void pressIn(QWidget *window, Qt::Key key)
{
    // Window shortcuts (a cancel button's Esc) answer only in the active window.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        ADD_FAILURE() << "the window never became active";
    QWidget *focus = window->focusWidget();
    QTest::keyClick(focus ? focus : window, key);
}

void leaveBy(WayOut way, QWidget *window, QAbstractButton *button)
{
    switch (way) {
    case WayOut::Esc:
        pressIn(window, Qt::Key_Escape);
        return;
    case WayOut::CancelButton:
        if (!button) {
            ADD_FAILURE() << "no cancel button";
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    case WayOut::CloseBox:
        if (QWindow *handle = window->windowHandle())
            handle->close();
        else
            window->close();
        return;
    }
}

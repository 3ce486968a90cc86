#pragma once

#include <QAbstractButton>
#include <QWidget>

// The ways a learner who changed their mind leaves a window: Esc, the window's own cancel
// or close button, and the window manager's close box.
enum class WayOut { Esc, CancelButton, CloseBox };
inline constexpr WayOut AllWaysOut[] = {WayOut::Esc, WayOut::CancelButton, WayOut::CloseBox};

const char *nameOf(WayOut way);

// Presses `key` as the learner would in `window`: made active, the key goes to the widget
// that has the focus (or to the window).
void pressIn(QWidget *window, Qt::Key key);

// Leaves `window` by `way`: Esc goes to the widget that has the focus, the button is
// clicked with the mouse, the close box asks the window to close as a window manager does.
void leaveBy(WayOut way, QWidget *window, QAbstractButton *button);

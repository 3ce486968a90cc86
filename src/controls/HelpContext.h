#pragma once

class QWidget;

// The help context of the nearest widget, from this one up through its parents to its
// window, whose "helpContext" property is not 0; 0 when none has one.
int helpContextOf(const QWidget *widget);

#pragma once

#include <QStringList>

class QWidget;

// Walks the accessibility tree of a shown window as a screen reader does and lists what
// breaks the contract: a control without a name, a name that still holds a mnemonic '&',
// a control reported showing that is hidden (or the other way round), a check box reported
// enabled while drawn disabled, a text control whose text cannot be read. Empty when all
// is well.
QStringList accessibilityProblems(QWidget *window);

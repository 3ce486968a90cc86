#pragma once

#include <QString>

// A caption as it reads: the '&' that marks its Alt letter dropped, "&&" read as one '&'.
QString withoutMnemonic(const QString &caption);

// The caption's Alt letter, in lower case: the letter after its first single '&'; null
// when it has none.
QChar mnemonicLetter(const QString &caption);

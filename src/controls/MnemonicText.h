#pragma once

#include <QString>

// A caption as it reads: the '&' that marks its Alt letter dropped, "&&" read as one '&'.
QString withoutMnemonic(const QString &caption);

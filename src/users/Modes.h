#pragma once

#include <QChar>
#include <QString>

#include <array>

// The four working modes, A to D.
inline constexpr std::array<char16_t, 4> ModeLetters{u'A', u'B', u'C', u'D'};

// The description shown beside a mode's choice in the new-user and mode dialogs.
QString modeDescription(QChar mode);

#pragma once

#include "SourceError.h"

#include <QString>

// A course text and what the speech synthesiser is to say for it. Most texts are
// said as written; where the written form would be read wrongly the source gives the
// spoken form beside it in braces: "Your room is {214|two one four}." is shown as
// "Your room is 214." and spoken as "Your room is two one four."
struct SpokenText {
    QString shown;
    QString spoken;
};

// Fails on braces that do not pair up or lack the bar.
SpokenText parseSpokenText(const QString &source, const SourcePos &pos);

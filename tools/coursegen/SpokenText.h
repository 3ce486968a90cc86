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

// A spoken form may ask for short pauses with " / ": "{W-O-O-D|W / O / O / D}" spells the
// name letter by letter, each letter a clip of its own and a pause between them, where
// the synthesiser would run "oh, oh" together into one exclamation. The pieces in order;
// a text without " / " is one piece.
QStringList spokenPieces(const QString &spoken);

#pragma once

#include <QByteArrayView>

// How long a line of English text takes to say, in syllables, guessed from its letters:
// vowel groups of each word, a syllable for each digit (numbers are read out), and a
// little for each word boundary and each inner punctuation mark, where readers slow down.
// Only the proportions between lines matter.
double spokenWeight(QByteArrayView cp1251Line);

#pragma once

#include "LessonSource.h"
#include "SoundJoin.h"

#include <QString>

#include <vector>

// The interpreting exercises play the text with a pause after each syntagm in which the
// learner says its translation. The pause is sized from the course's own Russian line:
// a learner speaks about four syllables a second and needs half a second to begin. It is
// never shorter than the syntagm itself.

// Syllables of a Russian line read aloud: its vowels, digits by their Russian names
// (numbers in the translations are phone and room numbers, read digit by digit) and Latin
// letters one by one, as a spelled name is read.
int russianSyllables(const QString &text);

// How long saying `russian` aloud takes a learner, in milliseconds.
int sayingTimeMs(const QString &russian);

// The shortest pause after a syntagm of `phraseMs` whose translation is `russian`.
int interpretingPauseMs(const QString &russian, int phraseMs);

// Checks a joined slow recording of `text` against the rule above: fails at the first
// syntagm whose pause (up to the next syntagm, or to the end of the sound after the last)
// is shorter than its translation needs.
void checkInterpretingPauses(const std::vector<TextLine> &text, const JoinedSound &sound);

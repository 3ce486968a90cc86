#pragma once

#include "CheckContext.h"

#include <QString>

// The course files of the vocabulary exercises (kinds 1 and 2), resolved; the segment
// file and the sound may be empty.
struct VocabularyFiles {
    QString expressions;
    QString translations;
    QString segments;
    QString sound;
};

// Expressions and translations line for line, no empty ones, and a segment file of the
// same length whose stretches lie within the sound.
void checkVocabularyFiles(CheckContext &context, const NamedAt &at, const VocabularyFiles &files);

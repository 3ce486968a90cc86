#pragma once

#include "exercises/ExerciseEndDialog.h"
#include "exercises/ExerciseRoutines.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "sound/VirtualAudioBackend.h"
#include "support/TempCourse.h"

#include <QString>

// Test sounds: 16-bit mono at this rate, whose sample at frame f is 1 + f % 30000, so that
// every frame played can be told from silence, and by its number.
inline constexpr int VocabularySoundRate = 8000;
inline qint16 lexicSample(qint64 frame)
{
    return qint16(1 + frame % 30000);
}

// Writes such a sound of `ms` milliseconds.
void writeVocabularySound(const TempCourse &course, const QString &relativePath, int ms);

// The sound handed to a virtual output, with the silence before and after it cut off.
std::vector<qint16> lexicSoundHanded(const std::vector<qint16> &log);

// What a vocabulary window needs around it: a virtual sound card and the shared answer dialogs.
struct VocabularyRunContext {
    VirtualAudioBackend card;
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer{RightAnswerDialog::AnswerLanguage::English};
    RightAnswerDialog vocabularyRightAnswer{RightAnswerDialog::AnswerLanguage::Russian};
    ExerciseContext context{card, tryAgain, rightAnswer, vocabularyRightAnswer};
};

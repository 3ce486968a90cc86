#pragma once

#include "exercises/ExerciseRoutines.h"
#include "exercises/SharedDialogs.h"
#include "sound/VirtualAudioBackend.h"
#include "support/TempCourse.h"

#include <QString>

// Test sounds: 16-bit mono at this rate, whose sample at frame f is 1 + f % 30000, so that
// every frame played can be told from silence, and by its number.
inline constexpr int LexicSoundRate = 8000;
inline qint16 lexicSample(qint64 frame)
{
    return qint16(1 + frame % 30000);
}

// Writes such a sound of `ms` milliseconds.
void writeLexicSound(const TempCourse &course, const QString &relativePath, int ms);

// The sound handed to a virtual output, with the silence before and after it cut off.
std::vector<qint16> lexicSoundHanded(const std::vector<qint16> &log);

// What a vocabulary window needs around it: a virtual sound card and the shared answer dialogs.
struct LexicRunContext {
    VirtualAudioBackend card;
    TDlgErrorDo errorDo;
    TDlgDoubleError doubleError;
    TDlgLexicError lexicError;
    ExerciseContext context{card, errorDo, doubleError, lexicError};
};

#pragma once

#include "exercises/ExerciseRoutines.h"
#include "exercises/SharedDialogs.h"
#include "sound/VirtualAudioBackend.h"
#include "support/TempCourse.h"

#include <QString>
#include <QWidget>

// What the question windows' tests share: a course folder, a virtual sound card, the answer
// dialogs made at start-up and the run context built from them.
struct QuestWindowKit {
    TempCourse course;
    VirtualAudioBackend card;
    TDlgErrorDo errorDo;
    TDlgDoubleError doubleError;
    TDlgLexicError lexicError;
    ExerciseContext context{card, errorDo, doubleError, lexicError};

    // A mono 8000 Hz sound of `ms` milliseconds whose every sample is non-zero.
    void writeSound(const QString &relativePath, int ms) const;
};

// The screen point the tests centre windows on.
inline constexpr QPoint QuestCentre{500, 400};

// The loaders' read-error message, if `modal` is the message window showing it.
bool isReadErrorMessage(QWidget *modal);

// Clicks a widget in its middle, as the learner would.
void clickMiddle(QWidget *widget);

#pragma once

#include "exercises/ExerciseEndDialog.h"
#include "exercises/ExerciseRoutines.h"
#include "exercises/RightAnswerDialog.h"
#include "exercises/TryAgainDialog.h"
#include "sound/VirtualAudioBackend.h"
#include "support/TempCourse.h"

#include <QString>
#include <QWidget>

// What the question windows' tests share: a course folder, a virtual sound card, the answer
// dialogs made at start-up and the run context built from them.
struct QuestionWindowKit {
    TempCourse course;
    VirtualAudioBackend card;
    TryAgainDialog tryAgain;
    RightAnswerDialog rightAnswer{RightAnswerDialog::AnswerLanguage::English};
    RightAnswerDialog vocabularyRightAnswer{RightAnswerDialog::AnswerLanguage::Russian};
    ExerciseContext context{card, tryAgain, rightAnswer, vocabularyRightAnswer};

    // A mono 8000 Hz sound of `ms` milliseconds whose every sample is non-zero.
    void writeSound(const QString &relativePath, int ms) const;
};

// The screen point the tests centre windows on.
inline constexpr QPoint QuestionCentre{500, 400};

// The loaders' read-error message, if `modal` is the message window showing it.
bool isReadErrorMessage(QWidget *modal);

// Clicks a widget in its middle, as the learner would.
void clickMiddle(QWidget *widget);

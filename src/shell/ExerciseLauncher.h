#pragma once

#include "exercises/ExerciseRoutines.h"

#include <QPoint>
#include <QString>

#include <functional>

// The vocabulary and question routines the dispatcher calls; tests put their own in.
struct ExerciseLauncher {
    using Routine = std::function<int(QPoint centre, const QString &f1, const QString &f2, const QString &f4,
                                      const QString &f3)>;
    using QuestDownRoutine = std::function<int(QPoint centre, const QString &f1, const QString &f2,
                                               const QString &f4, const QString &f3, QuestDownCounts &counts)>;
    Routine lexicDemo;
    Routine lexic;
    Routine questDemo;
    Routine questTrFl;
    QuestDownRoutine questDown;

    // The program's own windows, working with `context`.
    static ExerciseLauncher windows(const ExerciseContext &context);
};

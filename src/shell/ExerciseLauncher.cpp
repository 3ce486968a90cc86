#include "ExerciseLauncher.h"

ExerciseLauncher ExerciseLauncher::windows(const ExerciseContext &context)
{
    auto bind = [&context](auto routine) -> Routine {
        return [&context, routine](QPoint centre, const QString &f1, const QString &f2, const QString &f4,
                                   const QString &f3) { return routine(context, centre, f1, f2, f4, f3); };
    };
    ExerciseLauncher launcher;
    launcher.lexicDemo = bind(RunExecLexicDemo);
    launcher.lexic = bind(RunExecLexic);
    launcher.questDemo = bind(RunQuestDemo);
    launcher.questTrFl = bind(RunQuestTrFl);
    launcher.questDown = [&context](QPoint centre, const QString &f1, const QString &f2, const QString &f4,
                                    const QString &f3, QuestDownCounts &counts) {
        return RunQuestDown(context, centre, f1, f2, f4, f3, counts);
    };
    return launcher;
}

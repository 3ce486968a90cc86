#pragma once

#include <QPoint>
#include <QString>

class AudioBackend;
class TDlgDoubleError;
class TDlgErrorDo;
class TDlgLexicError;

// What every exercise run needs besides its course files: the sound back end its players
// use and the shared answer dialogs made at start-up.
struct ExerciseContext {
    AudioBackend &audio;
    TDlgErrorDo &errorDo;
    TDlgDoubleError &doubleError;
    TDlgLexicError &lexicError;
};

// The entry routines of the vocabulary and question windows. Each makes its window for one
// run, centres it on `centre`, shows it modally and destroys it. The files come in the
// catalogue's order File1, File2, File4, File3: first file, second file, segment file,
// sound file. Results: 0 when the exercise was gone through (the end-of-exercise dialog
// follows); otherwise the learner left it (RunExecLexicDemo: 1; the others: 2 for Cancel,
// 1 for Ignore).
int RunExecLexicDemo(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                     const QString &translationFile, const QString &segmentFile, const QString &soundFile);
int RunExecLexic(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                 const QString &translationFile, const QString &segmentFile, const QString &soundFile);
int RunQuestDemo(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile);
int RunQuestTrFl(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile);

// The multiple-choice run's outcome: questions asked (N) and errors (E) of its last run.
struct QuestDownCounts {
    int questions = 0;
    int errors = 0;
};
int RunQuestDown(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile,
                 QuestDownCounts &counts);

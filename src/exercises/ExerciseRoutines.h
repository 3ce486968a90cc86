#pragma once

#include <QPoint>
#include <QString>

class AudioBackend;
class RightAnswerDialog;
class TryAgainDialog;
class RightAnswerDialog;

// What every exercise run needs besides its course files: the sound back end its players
// use and the shared answer dialogs made at start-up.
struct ExerciseContext {
    AudioBackend &audio;
    TryAgainDialog &tryAgain;
    RightAnswerDialog &rightAnswer;
    RightAnswerDialog &vocabularyRightAnswer;
};

// The entry routines of the vocabulary and question windows. Each makes its window for one
// run, centres it on `centre`, shows it modally and destroys it. The files come in the
// catalogue's order File1, File2, File4, File3: first file, second file, segment file,
// sound file. Results: 0 when the exercise was gone through (the end-of-exercise dialog
// follows); otherwise the learner left it (runVocabularyPresentation: 1; the others: 2 for Cancel,
// 1 for Ignore).
int runVocabularyPresentation(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                     const QString &translationFile, const QString &segmentFile, const QString &soundFile);
int runVocabularyDrill(const ExerciseContext &context, QPoint centre, const QString &expressionFile,
                 const QString &translationFile, const QString &segmentFile, const QString &soundFile);
int runQuestionPresentation(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile);
int runTrueFalse(const ExerciseContext &context, QPoint centre, const QString &statementFile,
                 const QString &questionFile, const QString &segmentFile, const QString &soundFile);

// The multiple-choice run's outcome: questions asked (N) and errors (E) of its last run.
struct MultipleChoiceCounts {
    int questions = 0;
    int errors = 0;
};
int runMultipleChoice(const ExerciseContext &context, QPoint centre, const QString &questionFile,
                 const QString &answerFile, const QString &segmentFile, const QString &soundFile,
                 MultipleChoiceCounts &counts);

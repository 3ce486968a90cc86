#pragma once

#include "DispatchRules.h"

#include "exercises/ExerciseRoutines.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <optional>

// What one run of an exercise window is given.
struct ExerciseRequest {
    QPoint centre;      // the middle of the main window's client area, on the screen
    QRect clientArea;   // the main window's client area, on the screen
    ResolvedFiles files;
    QString dataFolder;
    QChar mode;         // the letter of the catalogue shown
    // The learner's recording of this entry (see recordingName); only for kinds that keep
    // their recording, empty for the others.
    QString recordingName;
    // Text work: the learner's recording of the nearest recording exercise above it in the
    // lesson; empty when there is none or it was never marked done.
    QString playbackRecording;
};

// What a run leaves besides its result: the multiple-choice counts of its last run.
struct ExerciseReport {
    MultipleChoiceCounts counts;
};

// One row of the exercise-kinds table: the routine that runs the kind's window and what the
// dispatcher does around it.
struct ExerciseKind {
    // Runs the window once; 0 when the learner went through the exercise.
    using Routine = std::function<int(const ExerciseRequest &, ExerciseReport &)>;

    ExerciseKind() = default;
    ExerciseKind(Routine routine, QString message, bool withEndDialog = true, bool judgedByErrors = false)
        : run(std::move(routine)), endMessage(std::move(message)), endDialog(withEndDialog), judged(judgedByErrors)
    {
    }

    Routine run;
    // The end-of-exercise dialog's message; the multiple-choice verdict replaces it.
    QString endMessage;
    // False: the run ends with the window, nothing is offered or written (true/false).
    bool endDialog = true;
    // The 30 % rule decides the mark, and OK writes the error percentage as Score.
    bool judged = false;

    // Checks before the window opens (the full-duplex test, free space); false when the
    // exercise must not start, after the check has told the learner why.
    std::function<bool(const ExerciseRequest &)> check;
    // OK also writes the request's recording name as the entry's SoundFile.
    bool keepsRecording = false;
    // The window gets the recording to play back; with one, this message ends the run.
    bool playsBackRecording = false;
    QString playbackEndMessage;
};

// The catalogue's exercise kinds the program can run, by kind number. Kinds without a row
// (headings, 9, 10, above 15) run nothing.
class ExerciseKindTable {
public:
    const ExerciseKind *find(quint8 kind) const;
    void set(quint8 kind, ExerciseKind row) { rows_[kind] = std::move(row); }
    // Replaces the routine of every row; tests put their fakes in this way.
    void setEveryRoutine(const ExerciseKind::Routine &routine);

    // The program's own windows, working with `context`.
    static ExerciseKindTable windows(const ExerciseContext &context);

    // What the listening kinds ask before their window opens; tests put their own answers.
    struct ListeningChecks {
        // The sound card plays and records at once (it has told the learner when not).
        std::function<bool()> fullDuplex;
        // Free bytes on the file system that holds `path`; empty when unknown.
        std::function<std::optional<quint64>(const QString &path)> freeSpace;
        static ListeningChecks system();
    };
    // What a recording of the course sound `courseSound` needs on the disk: its safety copy
    // and the save that replaces the learner's file are written side by side, each as long
    // as the sound and the tail after it, in the template's format. 0 when the course sound
    // cannot be read (opening it then tells why).
    static quint64 recordingBytesNeeded(const QString &courseSound);
    // The rows of the listening kinds 4, 8 and 11 to 15.
    static void addListeningKinds(ExerciseKindTable &table, const ExerciseContext &context,
                                  const ListeningChecks &checks = ListeningChecks::system());

private:
    std::map<quint8, ExerciseKind> rows_;
};

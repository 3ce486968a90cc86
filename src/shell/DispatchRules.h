#pragma once

#include "course/CourseState.h"

#include "users/Progress.h"
#include "users/UserList.h"

#include <QString>

#include <functional>

// The rules of running one catalogue entry, apart from any window.

// The course files as an exercise gets them: File1, File2 and File5 always resolved (an
// empty name becomes the data folder itself); File3 and File4 only when not empty.
struct ResolvedFiles {
    QString f1, f2, f3, f4, f5;
};
ResolvedFiles resolveEntryFiles(const CourseState &course, const CatalogueEntry &entry);

// Where a recording kind keeps the learner's voice: the folder of the user's progress file,
// the user's name and the entry number, ".wav"; "AnonSnd.wav" for the anonymous user (and
// for a user none of whose files may be written).
QString recordingName(const UserRegistry &users, int entryNumber);
// The entry a file named as recordingName names the learner's recordings is of ("Ann12.wav"
// is Ann's of entry 12); 0 when the file is not named so.
int recordingEntry(const QString &learnerName, const QString &fileName);

// The recording a text-work entry plays back: walking the catalogue back from the entry
// above it, the SoundFile of the first recording exercise (kinds 4, 12 to 15), or nothing
// when a heading comes first. The anonymous user (no progress) has none.
QString recordingToPlayBack(const Catalogue &catalogue, const ProgressState *progress, int entryNumber);

// The multiple-choice verdict: more than 30 % of the questions wrong blocks the done mark.
struct MultipleChoiceVerdict {
    QString message;
    bool markAllowed; // for a named learner
    qint32 score;     // the error percentage, truncated toward zero; 0 with no questions
};
MultipleChoiceVerdict judgeMultipleChoice(int questions, int errors);

// One exercise run with its end-of-exercise dialog: run the window; when it went through,
// prepare and show the dialog; Retry runs the window again with the same arguments, OK
// ends the run as marked done, anything else just ends it. Returns true when marked done.
struct EndDialogSetup {
    QString message;
    bool markEnabled;
};
bool runWithEndDialog(const std::function<int()> &runWindow, const std::function<EndDialogSetup()> &afterRun,
                      const std::function<int(const EndDialogSetup &)> &showDialog);

#pragma once

#include <QList>
#include <QString>

#include <optional>

// The safety copies the sound device leaves beside a recording (".Ann12.wav.4711.rec", each a
// playable WAV; see RecordingSpool) when a recording could not be saved or the program was
// ended in the middle of one, and their recovery into the learner's recording.
namespace RecordingLeftovers {

// True when `recording` holds no sound a learner could lose: no file, an empty file, or a
// WAV without frames (the bare template). An unreadable file of some other kind is kept.
bool holdsNoSound(const QString &recording);

// After a run: when the recording holds no sound and this run left a safety copy of it,
// the copy replaces the recording and is removed. The seconds recovered; none when no
// copy was.
std::optional<double> recoverAfterRun(const QString &recording);

// A recording an earlier run of the program left unfinished.
struct Interrupted {
    QString recording; // its file name, as the learner's recordings are named ("Ann12.wav")
    double seconds = 0;
    // Empty when the safety copy became the recording; else the name of the second file
    // it was kept as, since the recording there is newer than it.
    QString keptAs;
};

// The safety copies in `folder` (a course name ending with its separator, or empty for the
// course folder) whose makers have ended: copies of the program still running on this
// computer, and any on another computer, keep theirs. Each becomes its recording when
// that is missing or older, else it is kept as a second file, never removed unheard. A copy
// without any sound is removed. The cue file begun with the recording is put in place with
// it. Copies that cannot be read or written stay for another try.
QList<Interrupted> recoverInterrupted(const QString &folder);

} // namespace RecordingLeftovers

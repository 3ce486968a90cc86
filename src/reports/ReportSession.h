#pragma once

#include "ReportLines.h"

#include <QStringList>

#include <functional>

// The report window's rules on the learner's in-memory progress: which line may have
// its recording deleted, and the deletion itself.
class ReportSession {
public:
    // The learner's recording of entry k (a course name), where interrupted recordings kept
    // beside it are looked for; none: they are not offered.
    using RecordingOf = std::function<QString(int entry)>;

    ReportSession(const Catalogue &catalogue, ProgressState &progress, RecordingOf recordingOf = {});

    const QList<ReportLine> &lines() const { return lines_; }
    // True when the line's exercise is marked done (its line is drawn in bold).
    bool lineDone(int line) const;
    // Whether the delete-sound button is enabled after a click on the line: a done
    // exercise of a recording kind, or a recording exercise with interrupted recordings
    // kept beside the learner's one ("Ann12 (прервана 4711).wav").
    bool canDeleteSound(int line) const;
    // The learner's recording that "Прослушать" plays for the line: that of a done exercise
    // of a recording kind, when its file is there; empty for any other line.
    QString recordingToPlay(int line) const;
    // The interrupted recordings kept for the line's exercise, as course names.
    QStringList interruptedRecordings(int line) const;
    // Deletes the recording of a done recording exercise (a failure to delete the file is
    // ignored), marks the exercise not done and rewrites its line. Only a file inside the
    // course folder's Report tree is deleted; a record naming any other file is only
    // cleared, and `problem` (when given) tells why the file stays. The interrupted
    // recordings kept for the exercise go too. Returns false when nothing was changed.
    bool deleteSound(int line, QString *problem = nullptr);

private:
    const CatalogueEntry *entryOf(int line) const;
    ProgressRecord *recordOf(int line) const;

    QString lineText(int line, qsizetype kept) const;

    const Catalogue &catalogue_;
    ProgressState &progress_;
    RecordingOf recordingOf_;
    QList<ReportLine> lines_;
};

#pragma once

#include "ReportLines.h"

// The report window's rules on the learner's in-memory progress: which line may have
// its recording deleted, and the deletion itself.
class ReportSession {
public:
    ReportSession(const Catalogue &catalogue, ProgressState &progress);

    const QList<ReportLine> &lines() const { return lines_; }
    // True when the line's exercise is marked done (its line is drawn in bold).
    bool lineDone(int line) const;
    // Whether the delete-sound button is enabled after a click on the line: a done
    // exercise of a recording kind.
    bool canDeleteSound(int line) const;
    // Deletes the recording of a done recording exercise (a failure to delete the file is
    // ignored), marks the exercise not done and rewrites its line. Only a file inside the
    // course folder's Report tree is deleted; a record naming any other file is only
    // cleared, and `problem` (when given) tells why the file stays. Returns false when
    // nothing was changed.
    bool deleteSound(int line, QString *problem = nullptr);

private:
    const CatalogueEntry *entryOf(int line) const;
    ProgressRecord *recordOf(int line) const;

    const Catalogue &catalogue_;
    ProgressState &progress_;
    QList<ReportLine> lines_;
};

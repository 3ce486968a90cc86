#pragma once

#include <QFile>
#include <QString>

// Writes the learner's cue file while a recording runs: line 1 and every separator line of
// the text are "#" TAB "#", every other line the recording positions where the syntagm began
// and ended, in ms, lines ended by CR LF. Every step is flushed to disk as it is written.
//
// The lines go to a work file beside the cue file ("….txt.part"); finish() puts it in place
// in one step, so that the cue file of an earlier recording stays whole until the recording
// it belongs to is replaced too.
class CueFileWriter {
public:
    CueFileWriter() = default;
    CueFileWriter(const CueFileWriter &) = delete;
    CueFileWriter &operator=(const CueFileWriter &) = delete;

    // Starts a new cue file for `cueName` with its first line; false when the work file
    // cannot be made (the recording goes on without cue file then).
    bool open(const QString &cueName);
    bool isOpen() const { return file_.isOpen(); }

    // A separator line "#" TAB "#".
    void separator();
    // A syntagm begins at `ms` of the recording: its line is started.
    void begin(qint32 ms);
    // The syntagm whose line is started ends at `ms`: the line is finished.
    void end(qint32 ms);
    // Ends the started line at `ms`, closes the file and, with `keep`, replaces the cue file
    // by it; without, the work file is removed and the old cue file stays.
    void finish(qint32 ms, bool keep);

    static QString workFileName(const QString &cueName) { return cueName + QStringLiteral(".part"); }

private:
    void write(const QByteArray &bytes);

    QFile file_;
    QString cueName_;
    bool lineOpen_ = false;
};

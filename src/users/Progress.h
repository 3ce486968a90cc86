#pragma once

#include "course/CourseState.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One exercise's result in a learner's progress file: 264 raw bytes.
class ProgressRecord {
public:
    static constexpr int Size = 264;
    static constexpr int MaxSoundFile = 255;

    ProgressRecord();
    explicit ProgressRecord(const QByteArray &bytes);

    const QByteArray &bytes() const { return bytes_; }

    bool Done() const;
    void setDone(bool done);
    qint32 Score() const;
    void setScore(qint32 score);
    QString SoundFile() const;
    void setSoundFile(const QString &path); // cut to 255 characters

private:
    QByteArray bytes_;
};

// "Zelmarinta Vestorianika 1.0", stored after its length byte at offset 8 of the header record.
extern const QByteArray ProgressSignature;

// The current learner's progress: records 1 to EntryCount belong to catalogue entries
// 1 to EntryCount of the learner's mode; record 0 is unused.
struct ProgressState {
    QList<ProgressRecord> Progress{ProgressRecord()};
    qint32 EntryCount = 0;

    // Record k, or nullptr outside 1 to EntryCount.
    ProgressRecord *record(int k);
    const ProgressRecord *record(int k) const;
};

// Fresh progress for a mode: as many not-done records as its catalogue file has lines.
// Throws CourseError when the catalogue file cannot be read.
void resetProgress(ProgressState &state, QChar mode);

// Reads a learner's file for a mode: EntryCount from the loaded catalogue of the mode,
// then that many records after the header. Throws CourseError naming the file when it is
// missing or short; the state is then fresh progress of that mode, never the records of
// whoever was loaded before.
void loadProgress(ProgressState &state, const CourseState &course, const QString &file, QChar mode);

// Writes the header and records 1 to EntryCount, replacing the file in one step.
// Throws CourseError naming the file on failure.
void saveProgress(const ProgressState &state, const QString &file);

// True when the file's header carries the signature.
bool hasProgressSignature(const QString &file);

// The bytes saveProgress writes, for tests and tools.
QByteArray progressFileBytes(const ProgressState &state);

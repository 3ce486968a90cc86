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
    // The learner's file exists but could not be read (not a progress file, unreadable,
    // too big): saves leave it as it is, so that the marks in it are never lost. A reset
    // (a new mode the learner chose) clears it.
    bool FileUnread = false;
    // The learner's file ended in a part of a record (a save cut short by an older program or
    // a copy): the next save copies it beside itself, as "….damaged", before completing it.
    bool KeepDamagedCopy = false;

    // Record k, or nullptr outside 1 to EntryCount.
    ProgressRecord *record(int k);
    const ProgressRecord *record(int k) const;
};

// Fresh progress for a mode: as many not-done records as its catalogue file has lines.
// Throws CourseError when the catalogue file cannot be read.
void resetProgress(ProgressState &state, QChar mode);

// Progress files larger than this are not read (nor saved over).
inline constexpr qint64 MaxProgressFileBytes = 64 * 1024 * 1024;

// Reads a learner's file for a mode: EntryCount from the loaded catalogue of the mode,
// then the records after the signed header. A file with fewer records (the catalogue grew)
// gives its records and blank ones after them; a longer one its first EntryCount. The
// state never keeps the records of whoever was loaded before. Throws CourseError naming
// the file when there is none (saving then creates it) or when it cannot be read, which
// also sets FileUnread.
void loadProgress(ProgressState &state, const CourseState &course, const QString &file, QChar mode);

// Records 1 to `count` from the bytes of a progress file; false (and blank records) when
// the bytes are not a progress file.
bool progressFromBytes(QByteArrayView bytes, int count, QList<ProgressRecord> &records);

// Writes the header and records 1 to EntryCount, replacing the file in one step; does
// nothing while FileUnread is set. A damaged file (KeepDamagedCopy) is first copied to
// `file` + ".damaged". Throws CourseError naming the file on failure.
void saveProgress(const ProgressState &state, const QString &file);

// True when the file's header carries the signature.
bool hasProgressSignature(const QString &file);

// The bytes saveProgress writes, for tests and tools.
QByteArray progressFileBytes(const ProgressState &state);

#pragma once

#include "coursecheck/CourseProblem.h"
#include "support/TempCourse.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// A mono 16-bit PCM WAV file of `ms` milliseconds at 8000 Hz, every sample `value`.
QByteArray pcmWav(int ms, qint16 value = 1000);

// A WAV header with the fields a length is computed from, followed by `dataBytes` bytes
// of data (the data chunk claims `claimedBytes`, -1 for the real count).
QByteArray wavBytes(quint16 formatTag, int channels, int rate, int bitsPerSample, int dataBytes,
                    qint64 claimedBytes = -1);

// A course folder that passes the check: the fixed files and four catalogues that
// hold only the root heading (without a description). Tests add what they check.
void writeCleanCourse(const TempCourse &course);

// One catalogue line from its eleven columns.
QString catalogueLine(const QStringList &columns);
// Replaces a catalogue with the root heading and the given entries (lines 2 onward).
void writeCatalogue(const TempCourse &course, QChar letter, std::initializer_list<QString> entries);

// Readable listing of problems, for assertion messages.
QString describe(const std::vector<CourseProblem> &problems);

// Whether a problem at `file` (course name, '/' or '\' alike) and `line` mentions `text`.
bool hasProblem(const std::vector<CourseProblem> &problems, const QString &file, int line, const QString &text);

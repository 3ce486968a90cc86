#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading course files for the check, by the program's rules (course names with
// backslashes and the case-insensitive lookup, the old text-file line rules) but without
// throwing: a file that cannot be read is a finding, and `why` says what went wrong.

// Whether the name is a regular file that can be read; a folder, a missing file or a
// pipe (which would block the reader) is not, and `why` says which.
bool isReadableFile(const QString &name, QString &why);

// The bytes of a file, up to the size the program reads.
std::optional<QByteArray> readCourseFile(const QString &name, QString &why);

// Course texts are in cp1251. A file saved in UTF-8 instead (by an editor's default) would
// show its Russian as pairs of wrong letters. Returns the 1-based number of the first line
// that shows it (a byte-order mark, or the first non-ASCII character of a file that is
// valid UTF-8 throughout, which cp1251 Russian text never is), 0 when there is none.
int firstUtf8Line(const QByteArray &bytes);

// The length of a WAV sound in milliseconds, as the sound device reports it.
std::optional<qint32> soundLengthMs(const QString &name, QString &why);

#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

// The file operations the program needs, on course names (backslashes allowed,
// case-insensitive fallback of localPath). Paths are relative to the working directory.

// Course text and picture files larger than this are refused: a damaged or hostile
// file must not exhaust memory.
inline constexpr qint64 MaxCourseFileBytes = 64 * 1024 * 1024;

// Anything of that name, with any attributes: a file, a hidden file, a folder.
bool pathExists(const QString &name);
// A file (not a folder) of that name.
bool fileExists(const QString &name);
// Size in bytes, or -1 when there is no such file.
qint64 fileSize(const QString &name);

bool deleteFile(const QString &name);
bool createFolder(const QString &name);
bool removeFolder(const QString &name); // only an empty folder
// Names of the files in a folder (no folders), sorted.
QStringList listFolder(const QString &name);

// Free bytes for an unprivileged writer on the file system that holds `name` (or, when it
// does not exist yet, its nearest existing parent). Empty when it cannot be asked.
std::optional<quint64> freeBytes(const QString &name);

// The reason a file operation failed, in Russian: the system's own texts are English and
// would stand inside the program's Russian messages.
QString fileErrorText(QFileDevice::FileError error);

// Whole-file read; throws CourseError naming the file when it is missing, unreadable or too large.
QByteArray readFileBytes(const QString &name, qint64 maxBytes = MaxCourseFileBytes);

// Replaces the file in one step: the bytes go to a temporary file beside it, which is
// flushed to disk and renamed over the old one, so a crash or a full disk leaves either the
// old file or the new one whole. Throws CourseError naming the file on failure.
void replaceFileAtomically(const QString &name, const QByteArray &bytes);

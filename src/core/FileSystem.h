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
// Creates a folder and the folders on its way; one that exists already is fine. Throws
// CourseError naming the folder and the cause in plain words when it cannot be made.
void createFolders(const QString &name);
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

// Replaces the file in one step: the bytes go to a temporary file beside it, every write is
// checked, the file is flushed to disk and only then renamed over the old one, so a crash
// or a full disk leaves either the old file or the new one whole, never a short one.
// Throws CourseError naming the file and the cause on failure; the old file is untouched.
void replaceFileAtomically(const QString &name, const QByteArray &bytes);

// Writes all of `bytes` to the open file, or returns the errno of the write that failed (0
// when none did). A short write is retried, so that the error it stands for (a full disk, a
// size limit) is the one reported.
int writeAll(int fd, const QByteArray &bytes);

// The cause of a failed system call (an errno value) in plain Russian words, for messages
// that name the file and say why: "на диске не осталось места".
QString systemErrorText(int error);

// "1 запись", "2 записи", "5 записей": the form of a Russian noun that agrees with the
// number n (one: 1, 21, 31 ...; few: 2-4, 22-24 ...; many: 0, 5-20, 25 ...).
QString russianCount(qint64 n, const QString &one, const QString &few, const QString &many);

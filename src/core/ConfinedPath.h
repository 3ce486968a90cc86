#pragma once

#include <QString>

// The one place that decides where the program may write or delete: the course folder (the
// working directory) and the folders below it. A course name that leads elsewhere (an
// absolute path, a way up with "..") is refused, and so is one that passes through a
// symbolic link below the course folder, such as a linked "Report" or learner folder: a
// crafted user list or a prank in a shared course folder must never make the program write
// or delete outside it. Every writer asks here before it touches the disk.

enum class ConfinedKind {
    File,   // the last part may be a link: it is replaced or removed itself, never followed
    Folder, // no part may be a link, the folder itself included
};

// The absolute local path of course name `name`. Throws CourseError naming the file and
// saying why when it lies outside the course folder or passes through a link.
QString confinedPath(const QString &name, ConfinedKind kind = ConfinedKind::File);

// The course folder's "Report", where every learner's files lie, as an absolute path.
QString reportFolderPath();

// The folder part of a course name up to and including its last separator ("\\" or "/"),
// where the files that belong with it are written; empty for a name without one.
QString courseFolderOf(const QString &courseName);

// True when `name` passes confinedPath and lies below the Report folder.
bool insideReportFolder(const QString &name, ConfinedKind kind = ConfinedKind::File);

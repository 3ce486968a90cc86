#pragma once

#include <QString>

// Course names are written as on Windows: backslash separators ("____Data\lesson1\words.txt"),
// any mix of letter case. These calls map such a name to a path of this file system,
// relative to the working directory unless the name is absolute.

// Separators only: every backslash becomes '/'. No lookup.
QString toLocalSeparators(const QString &courseName);

// The path to open for a course name: the name itself when it exists as written;
// otherwise each component that does not exist is matched without regard to case
// among the entries of its folder (courses authored on Windows mix cases). When no
// match is found the path as written is returned, so that the error names it.
QString localPath(const QString &courseName);

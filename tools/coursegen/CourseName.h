#pragma once

#include "SourceError.h"

#include <QString>

// Course file names as the catalogues write them: relative to the data folder, with
// backslashes ("lesson1\words.txt"). The generator writes the course for this file
// system, so each name maps to a relative path with '/' ("lesson1/words.txt").

// The relative path of a course name; fails on a name that could leave the data
// folder or that the program could not look up unchanged.
QString coursePathOf(const QString &courseName, const SourcePos &pos);

// The course name of a relative path: '/' back to backslashes.
QString courseNameOf(const QString &relativePath);

// True for names the course may use for its files: printable ASCII, because the
// catalogue spells them in cp1251 and the file system in UTF-8; the two agree only
// on ASCII.
bool isPortableFileName(const QString &name);

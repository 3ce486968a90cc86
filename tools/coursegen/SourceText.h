#pragma once

#include "SourceError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Course sources are UTF-8 with LF (or CR LF) line ends, as editors write them;
// the course itself is cp1251 with CR LF after every line, as the program reads it.

// The whole file as text; fails on a file that cannot be read or is not valid UTF-8.
// A leading byte-order mark is dropped.
QString readUtf8File(const QString &path);

// The lines of a text. A line end after the last line ends that line and adds no
// empty line; CR before LF is dropped.
QStringList splitLines(const QString &text);

// The text in cp1251; fails naming the first character cp1251 has no code for.
QByteArray encodeCp1251(const QString &text, const SourcePos &pos);

// The lines in cp1251, each followed by CR LF, the last one included.
// Line i of the result is reported as line i of `file`.
QByteArray toCourseText(const QStringList &lines, const QString &file);

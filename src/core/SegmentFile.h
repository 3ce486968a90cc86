#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// One stretch of a sound file, in milliseconds: a line "start TAB end" of a segment file.
struct Segment {
    qint32 startMs = 0;
    qint32 endMs = 0;
};

// Parses one line: the text before the first TAB and the rest of the line, each a decimal
// integer. Throws CourseError (without file and line) otherwise.
Segment parseSegmentLine(QByteArrayView line);

// Reads a segment file line by line into `segments`, which keeps what was read when a
// later line fails: the exercise windows open with what they could read. Throws
// CourseError naming the file and line of the first bad line, or the unreadable file.
void readSegmentFile(const QString &name, QList<Segment> &segments);

#pragma once

#include "core/SegmentFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// The text file of a listening text as the course reads it: cp1251 lines, a line that
// begins with "#" a separator (heading, paragraph break, picture) that is never timed.
struct LessonText {
    QList<QByteArray> lines;

    static bool isSeparator(const QByteArray &line) { return line.startsWith('#'); }
    // The lines that are spoken, in order, as indexes into `lines`.
    std::vector<qsizetype> spokenLines() const;
};

// Reads a text file; throws CourseError naming it when it cannot be read.
LessonText readLessonText(const QString &name);

// The timing file of a text: one line per text line, "StartMs TAB EndMs" for a spoken
// line (the spans in order) and "#" for a separator, each ended by CR LF. `spans` holds
// one span per spoken line.
QByteArray timingFileBytes(const LessonText &text, const std::vector<Segment> &spans);

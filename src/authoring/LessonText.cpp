#include "LessonText.h"

#include "core/FileSystem.h"
#include "core/LineReader.h"

#include <stdexcept>

std::vector<qsizetype> LessonText::spokenLines() const
{
    std::vector<qsizetype> spoken;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!isSeparator(lines[i]))
            spoken.push_back(i);
    }
    return spoken;
}

LessonText readLessonText(const QString &name)
{
    return {splitLines(readFileBytes(name))};
}

QByteArray timingFileBytes(const LessonText &text, const std::vector<Segment> &spans)
{
    QByteArray bytes;
    size_t next = 0;
    for (const QByteArray &line : text.lines) {
        if (LessonText::isSeparator(line)) {
            bytes += "#\r\n";
            continue;
        }
        if (next >= spans.size())
            throw std::logic_error("fewer spans than spoken lines");
        const Segment &span = spans[next++];
        bytes += QByteArray::number(span.startMs) + '\t' + QByteArray::number(span.endMs) + "\r\n";
    }
    return bytes;
}

#include "SegmentFile.h"

#include "CourseError.h"
#include "DecimalInt.h"
#include "FileSystem.h"
#include "LineReader.h"

Segment parseSegmentLine(QByteArrayView line)
{
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0)
        throw CourseError(QStringLiteral("В строке нет символа табуляции"));
    return {toInt32(line.first(tab)), toInt32(line.sliced(tab + 1))};
}

void readSegmentFile(const QString &name, QList<Segment> &segments)
{
    const QByteArray bytes = readFileBytes(name);
    int lineNumber = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++lineNumber;
        try {
            segments.append(parseSegmentLine(line));
        } catch (const CourseError &error) {
            throw error.at(name, lineNumber);
        }
    }
}

#include "LineReader.h"

LineReader::LineReader(QByteArrayView data) : data_(data)
{
    const qsizetype eof = data.indexOf('\x1A');
    end_ = eof < 0 ? data.size() : eof;
}

QByteArrayView LineReader::next()
{
    if (atEnd())
        return {};
    const qsizetype start = pos_;
    qsizetype stop = data_.sliced(0, end_).indexOf('\n', start);
    if (stop < 0) {
        stop = end_;
        pos_ = end_;
    } else {
        pos_ = stop + 1;
    }
    qsizetype lineEnd = stop;
    if (lineEnd > start && data_[lineEnd - 1] == '\r')
        --lineEnd;
    return data_.sliced(start, lineEnd - start);
}

QList<QByteArray> splitLines(QByteArrayView data)
{
    QList<QByteArray> lines;
    LineReader reader(data);
    while (!reader.atEnd())
        lines.append(reader.next().toByteArray());
    return lines;
}

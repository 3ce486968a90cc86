#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Splits the bytes of a text file into lines with the rules course files were
// written for: a line ends at LF, and a CR right before it is dropped; a last line
// without an ending still counts, while a file that ends with its line ending has no
// extra empty line; an empty line in the middle counts; a Ctrl-Z byte ends the file.
class LineReader {
public:
    explicit LineReader(QByteArrayView data);

    bool atEnd() const { return pos_ >= end_; }
    // The next line without its ending; an empty view at the end.
    QByteArrayView next();

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    qsizetype end_;
};

QList<QByteArray> splitLines(QByteArrayView data);

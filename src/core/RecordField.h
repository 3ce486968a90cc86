#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

// Fields of fixed-size record files (the user list, progress files). A record is kept
// as its raw bytes; these accessors read and write single fields in place and never
// touch the bytes around them, so that a load and save round trip changes nothing.

// A text field: one length byte at `offset`, then `width` character bytes. A length
// byte above the width (a damaged record) is read as the width.
inline QByteArray readShortString(QByteArrayView record, qsizetype offset, int width)
{
    if (offset < 0 || offset + 1 + width > record.size())
        return {};
    const int length = qMin(int(uchar(record[offset])), width);
    return record.sliced(offset + 1, length).toByteArray();
}

// Writes the length byte and the text, cut to the width; bytes after the text stay as they were.
inline void writeShortString(QByteArray &record, qsizetype offset, int width, QByteArrayView text)
{
    if (offset < 0 || offset + 1 + width > record.size())
        return;
    const int length = int(qMin<qsizetype>(text.size(), width));
    record[offset] = char(length);
    for (int i = 0; i < length; ++i)
        record[offset + 1 + i] = text[i];
}

template <typename T>
T readLittleEndian(QByteArrayView record, qsizetype offset)
{
    if (offset < 0 || offset + qsizetype(sizeof(T)) > record.size())
        return T{};
    return qFromLittleEndian<T>(record.data() + offset);
}

template <typename T>
void writeLittleEndian(QByteArray &record, qsizetype offset, T value)
{
    if (offset < 0 || offset + qsizetype(sizeof(T)) > record.size())
        return;
    qToLittleEndian<T>(value, record.data() + offset);
}

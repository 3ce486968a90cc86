#include "Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// A table built once from Qt's own codec: decoding a catalogue of tens of
// thousands of lines then costs one lookup a byte.
const std::array<char16_t, 256> &decodeTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            t[b] = s.isEmpty() ? u'\uFFFD' : char16_t(s.at(0).unicode());
        }
        return t;
    }();
    return table;
}

} // namespace

QString fromCp1251(QByteArrayView bytes)
{
    const auto &table = decodeTable();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(table[uchar(bytes[i])]);
    return text;
}

QByteArray toCp1251(QStringView text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return text.toLatin1();

    QByteArray bytes;
    bytes.reserve(text.size());
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Default);
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            bytes += char(c.unicode());
            continue;
        }
        const QByteArray one = encoder.encode(QStringView(&c, 1));
        bytes += (one.size() == 1 && !encoder.hasError()) ? one : QByteArray("?");
        encoder.resetState();
    }
    return bytes;
}

#include "WavHeader.h"

#include <QtEndian>

namespace {

quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

} // namespace

std::optional<WavShape> wavShape(QByteArrayView bytes)
{
    if (bytes.size() < 12 || bytes.first(4) != QByteArrayView("RIFF") || bytes.sliced(8, 4) != QByteArrayView("WAVE"))
        return std::nullopt;
    WavShape shape;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 size = le32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (id == QByteArrayView("fmt ") && size >= 16 && body + 16 <= bytes.size()) {
            if (le16(bytes, body) != 1) // PCM only
                return std::nullopt;
            shape.channels = le16(bytes, body + 2);
            shape.rate = int(le32(bytes, body + 4));
            shape.bitsPerSample = le16(bytes, body + 14);
            haveFormat = shape.channels > 0 && shape.rate > 0 && shape.bitsPerSample > 0;
        } else if (id == QByteArrayView("data")) {
            if (!haveFormat)
                return std::nullopt;
            const qint64 available = qMin<qint64>(size, bytes.size() - body);
            shape.frames = available / (qint64(shape.channels) * ((shape.bitsPerSample + 7) / 8));
            return shape;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

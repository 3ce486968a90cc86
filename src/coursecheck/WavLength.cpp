#include "WavLength.h"

#include "core/CoursePath.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <limits>
#include <optional>

namespace {

// Chunk headers sit at the start of a file, before the samples; 64 KiB hold them with room
// for any list or comment chunks, whatever the sound's length.
constexpr qint64 kHeaderBytes = 64 * 1024;

// Format tags whose frames all have the fmt chunk's block size.
bool hasFixedFrames(quint16 tag)
{
    return tag == 1 || tag == 3 || tag == 6 || tag == 7 || tag == 0xFFFE;
}

WavLength failed(const QString &why)
{
    return {0, why};
}

} // namespace

WavLength wavLength(QByteArrayView bytes, qint64 fileSize)
{
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); };

    if (bytes.size() < 12 || bytes.first(4) != QByteArrayView("RIFF") || bytes.sliced(8, 4) != QByteArrayView("WAVE"))
        return failed(QStringLiteral("файл не является звуковым файлом WAV"));

    quint16 tag = 0;
    quint32 rate = 0;
    quint16 blockAlign = 0;
    quint16 channels = 0;
    bool haveFormat = false;
    std::optional<quint32> factFrames;
    std::optional<qint64> dataBytes;
    qint64 claimedBytes = 0;
    qint64 at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArrayView id = bytes.sliced(qsizetype(at), 4);
        const qint64 size = u32(qsizetype(at + 4));
        const qint64 body = at + 8;
        if (id == QByteArrayView("fmt ")) {
            if (size < 16 || body + 16 > bytes.size())
                return failed(QStringLiteral("поврежден заголовок звука (fmt)"));
            tag = u16(qsizetype(body));
            channels = u16(qsizetype(body + 2));
            rate = u32(qsizetype(body + 4));
            blockAlign = u16(qsizetype(body + 12));
            haveFormat = true;
        } else if (id == QByteArrayView("fact") && size >= 4 && body + 4 <= bytes.size()) {
            factFrames = u32(qsizetype(body));
        } else if (id == QByteArrayView("data") && !dataBytes) {
            // A data chunk longer than the file holds only what the file has.
            dataBytes = qBound<qint64>(0, qMin(size, fileSize - body), std::numeric_limits<qint64>::max());
            claimedBytes = size;
        }
        at = body + size + (size & 1);
    }

    if (!haveFormat)
        return failed(QStringLiteral("в звуке нет заголовка формата (fmt)"));
    if (!dataBytes)
        return failed(QStringLiteral("в звуке нет данных (data)"));
    if (rate == 0)
        return failed(QStringLiteral("частота звука 0"));
    qint64 frames = 0;
    if (hasFixedFrames(tag)) {
        if (blockAlign == 0)
            return failed(QStringLiteral("поврежден заголовок звука: размер кадра 0"));
        frames = *dataBytes / blockAlign;
    } else if (factFrames) {
        frames = *factFrames;
    } else {
        return failed(QStringLiteral("сжатый звук (формат %1) без числа кадров (fact)").arg(tag));
    }
    // No program plays a sound of no channels, whatever its frame size says.
    if (channels == 0)
        return failed(QStringLiteral("в звуке 0 каналов"));
    const qint64 ms = frames * 1000 / rate;
    if (ms > std::numeric_limits<qint32>::max())
        return failed(QStringLiteral("звук слишком длинный"));
    // A file cut short (a copy or download that stopped) plays only its beginning: every
    // timing line after the cut would end beyond it, but the fault is the file's.
    if (claimedBytes > *dataBytes) {
        if (!hasFixedFrames(tag))
            return failed(QStringLiteral("файл обрезан"));
        return failed(QStringLiteral("файл обрезан: в нем %1 мс звука из %2 мс")
                          .arg(ms)
                          .arg(claimedBytes / blockAlign * 1000 / rate));
    }
    return {qint32(ms), QString()};
}

WavLength readWavLength(const QString &name)
{
    const QString path = localPath(name);
    const QFileInfo info(path);
    if (!info.exists())
        return failed(QStringLiteral("Файл не найден"));
    if (!info.isFile())
        return failed(QStringLiteral("не файл"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Не удается открыть файл"));
    const QByteArray head = file.read(kHeaderBytes);
    return wavLength(head, file.size());
}

#include "VocabularyCourse.h"

#include <QtEndian>

#include <algorithm>

void writeVocabularySound(const TempCourse &course, const QString &relativePath, int ms)
{
    const qint64 frames = qint64(ms) * VocabularySoundRate / 1000;
    const auto dataBytes = quint32(frames * 2);
    QByteArray bytes;
    auto put32 = [&bytes](quint32 value) { bytes.append(reinterpret_cast<const char *>(&value), 4); };
    auto put16 = [&bytes](quint16 value) { bytes.append(reinterpret_cast<const char *>(&value), 2); };
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "WAV headers are little-endian");
    bytes += "RIFF";
    put32(36 + dataBytes);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(VocabularySoundRate);
    put32(VocabularySoundRate * 2);
    put16(2);
    put16(16);
    bytes += "data";
    put32(dataBytes);
    for (qint64 f = 0; f < frames; ++f)
        put16(quint16(lexicSample(f)));
    course.writeBytes(relativePath, bytes);
}

std::vector<qint16> lexicSoundHanded(const std::vector<qint16> &log)
{
    const auto first = std::find_if(log.begin(), log.end(), [](qint16 s) { return s != 0; });
    const auto last = std::find_if(log.rbegin(), log.rend(), [](qint16 s) { return s != 0; }).base();
    if (first >= last)
        return {};
    return {first, last};
}

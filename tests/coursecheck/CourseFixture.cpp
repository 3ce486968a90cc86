#include "CourseFixture.h"

#include <QtEndian>

namespace {

void put32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void put16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

QString sameSeparators(QString name)
{
    return name.replace(u'\\', u'/');
}

} // namespace

QByteArray wavBytes(quint16 formatTag, int channels, int rate, int bitsPerSample, int dataBytes, qint64 claimedBytes)
{
    const int blockAlign = channels * ((bitsPerSample + 7) / 8);
    QByteArray bytes("RIFF");
    put32(bytes, quint32(36 + dataBytes));
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, formatTag);
    put16(bytes, quint16(channels));
    put32(bytes, quint32(rate));
    put32(bytes, quint32(rate * blockAlign));
    put16(bytes, quint16(blockAlign));
    put16(bytes, quint16(bitsPerSample));
    bytes += "data";
    put32(bytes, quint32(claimedBytes < 0 ? dataBytes : claimedBytes));
    bytes += QByteArray(dataBytes, '\0');
    return bytes;
}

QByteArray pcmWav(int ms, qint16 value)
{
    const int frames = ms * 8;
    QByteArray bytes = wavBytes(1, 1, 8000, 16, 0);
    bytes.chop(4);
    put32(bytes, quint32(frames * 2));
    for (int i = 0; i < frames; ++i)
        put16(bytes, quint16(value));
    // The RIFF size counts everything after its own field.
    qToLittleEndian(quint32(bytes.size() - 8), bytes.data() + 4);
    return bytes;
}

QString catalogueLine(const QStringList &columns)
{
    return columns.join(u'\t');
}

void writeCatalogue(const TempCourse &course, QChar letter, std::initializer_list<QString> entries)
{
    QByteArray bytes = cp1251(QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")) + "\r\n";
    for (const QString &entry : entries)
        bytes += cp1251(entry) + "\r\n";
    course.writeBytes(QStringLiteral("InitReg") + letter + QStringLiteral(".txt"), bytes);
}

void writeCleanCourse(const TempCourse &course)
{
    for (const char *name : {"music.wav", "Null.wav", "NullRec.wav", "TSBegin.wav"})
        course.writeBytes(QString::fromLatin1(name), pcmWav(100));
    course.writeBytes(QStringLiteral("NFREESET.TTF"), "font");
    for (const QChar letter : {u'A', u'B', u'C', u'D'})
        writeCatalogue(course, letter, {});
}

QString describe(const std::vector<CourseProblem> &problems)
{
    QString text;
    for (const CourseProblem &problem : problems)
        text += formatProblem(problem) + u'\n';
    return text.isEmpty() ? QStringLiteral("(no problems)") : text;
}

bool hasProblem(const std::vector<CourseProblem> &problems, const QString &file, int line, const QString &text)
{
    for (const CourseProblem &problem : problems) {
        if (sameSeparators(problem.file) == sameSeparators(file) && problem.line == line && problem.message.contains(text))
            return true;
    }
    return false;
}

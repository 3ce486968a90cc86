#include "Progress.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/Cp1251.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"
#include "core/RecordField.h"

#include <QFile>

namespace {

constexpr int DoneOffset = 0;
constexpr int ScoreOffset = 4;
constexpr int SoundFileOffset = 8;
constexpr int SignatureOffset = 8;

} // namespace

const QByteArray ProgressSignature = QByteArrayLiteral("Zelmarinta Vestorianika 1.0");

ProgressRecord::ProgressRecord() : bytes_(Size, '\0') {}

ProgressRecord::ProgressRecord(const QByteArray &bytes) : bytes_(bytes.size() == Size ? bytes : QByteArray(Size, '\0')) {}

bool ProgressRecord::Done() const
{
    return bytes_[DoneOffset] == 1;
}

void ProgressRecord::setDone(bool done)
{
    bytes_[DoneOffset] = done ? 1 : 0;
}

qint32 ProgressRecord::Score() const
{
    return readLittleEndian<qint32>(bytes_, ScoreOffset);
}

void ProgressRecord::setScore(qint32 score)
{
    writeLittleEndian<qint32>(bytes_, ScoreOffset, score);
}

QString ProgressRecord::SoundFile() const
{
    return fromCp1251(readShortString(bytes_, SoundFileOffset, MaxSoundFile));
}

void ProgressRecord::setSoundFile(const QString &path)
{
    writeShortString(bytes_, SoundFileOffset, MaxSoundFile, toCp1251(path));
}

ProgressRecord *ProgressState::record(int k)
{
    return (k >= 1 && k <= EntryCount && k < Progress.size()) ? &Progress[k] : nullptr;
}

const ProgressRecord *ProgressState::record(int k) const
{
    return (k >= 1 && k <= EntryCount && k < Progress.size()) ? &Progress[k] : nullptr;
}

namespace {

void makeFresh(ProgressState &state, int count)
{
    state.EntryCount = count;
    state.Progress = QList<ProgressRecord>(count + 1);
}

} // namespace

void resetProgress(ProgressState &state, QChar mode)
{
    const QString catalogueFile = catalogueFileName(mode);
    const QByteArray bytes = readFileBytes(catalogueFile);
    int count = 0;
    for (LineReader lines(bytes); !lines.atEnd(); lines.next())
        ++count;
    makeFresh(state, count);
}

void loadProgress(ProgressState &state, const CourseState &course, const QString &file, QChar mode)
{
    int count = state.EntryCount;
    if (course.catalogue(mode))
        count = course.count(mode);
    // Whatever happens below, the records of the previous learner are gone.
    makeFresh(state, count);

    const qint64 needed = qint64(count + 1) * ProgressRecord::Size;
    QFile progress(localPath(file));
    if (!progress.open(QIODevice::ReadOnly))
        throw CourseError(QStringLiteral("Не удается открыть файл прогресса: ") + fileErrorText(progress.error()), file);
    // Records past the entry count are ignored (and dropped at the next save).
    const QByteArray bytes = progress.read(needed);
    if (bytes.size() < needed)
        throw CourseError(QStringLiteral("Файл прогресса короче ожидаемого: прочитано %1 байт из %2")
                              .arg(bytes.size())
                              .arg(needed),
                          file);
    for (int k = 1; k <= count; ++k)
        state.Progress[k] = ProgressRecord(bytes.mid(qsizetype(k) * ProgressRecord::Size, ProgressRecord::Size));
}

QByteArray progressFileBytes(const ProgressState &state)
{
    QByteArray header(ProgressRecord::Size, '\0');
    writeShortString(header, SignatureOffset, int(ProgressSignature.size()), ProgressSignature);
    QByteArray bytes = header;
    bytes.reserve(qsizetype(state.EntryCount + 1) * ProgressRecord::Size);
    for (int k = 1; k <= state.EntryCount; ++k)
        bytes += k < state.Progress.size() ? state.Progress[k].bytes() : ProgressRecord().bytes();
    return bytes;
}

void saveProgress(const ProgressState &state, const QString &file)
{
    replaceFileAtomically(file, progressFileBytes(state));
}

bool hasProgressSignature(const QString &file)
{
    QFile progress(localPath(file));
    if (!progress.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = progress.read(ProgressRecord::Size);
    const qsizetype length = ProgressSignature.size();
    if (header.size() < SignatureOffset + 1 + length)
        return false;
    return uchar(header[SignatureOffset]) == length && header.mid(SignatureOffset + 1, length) == ProgressSignature;
}

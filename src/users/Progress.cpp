#include "Progress.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/Cp1251.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"
#include "core/RecordField.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int DoneOffset = 0;
constexpr int ScoreOffset = 4;
constexpr int SoundFileOffset = 8;
constexpr int SignatureOffset = 8;

} // namespace

const QByteArray ProgressSignature = QByteArrayLiteral("Zelmarinta Vestorianika 1.0");

namespace {

const QString DamagedSuffix = QStringLiteral(".damaged");

} // namespace

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
    state.FileUnread = false;
    state.KeepDamagedCopy = false;
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

namespace {

bool signedHeader(QByteArrayView bytes)
{
    const qsizetype length = ProgressSignature.size();
    return bytes.size() >= SignatureOffset + 1 + length && uchar(bytes[SignatureOffset]) == length &&
           bytes.sliced(SignatureOffset + 1, length) == ProgressSignature;
}

[[noreturn]] void failUnread(ProgressState &state, const QString &file, const QString &cause)
{
    state.FileUnread = true;
    throw CourseError(QStringLiteral("Отметки о выполненных упражнениях не удалось прочитать: ") + cause +
                          QStringLiteral(".\rФайл оставлен как есть, новые отметки в него записываться не будут."),
                      file);
}

} // namespace

bool progressFromBytes(QByteArrayView bytes, int count, QList<ProgressRecord> &records)
{
    records = QList<ProgressRecord>(qMax(count, 0) + 1);
    if (!signedHeader(bytes))
        return false;
    const qsizetype whole = bytes.size() / ProgressRecord::Size - 1;
    for (qsizetype k = 1; k <= qMin<qsizetype>(count, whole); ++k)
        records[k] = ProgressRecord(bytes.sliced(k * ProgressRecord::Size, ProgressRecord::Size).toByteArray());
    return true;
}

void loadProgress(ProgressState &state, const CourseState &course, const QString &file, QChar mode)
{
    int count = state.EntryCount;
    if (course.catalogue(mode))
        count = course.count(mode);
    // Whatever happens below, the records of the previous learner are gone.
    makeFresh(state, count);

    if (file.isEmpty())
        failUnread(state, file, QStringLiteral("файл прогресса не лежит в папке курса"));
    const QString path = localPath(file);
    const QFileInfo info(path);
    if (!info.exists()) {
        throw CourseError(QStringLiteral("Файл прогресса не найден: отметки о выполненных упражнениях начнутся заново"),
                          file);
    }
    if (!info.isFile())
        failUnread(state, file, QStringLiteral("на месте файла прогресса находится не файл"));
    if (info.size() > MaxProgressFileBytes)
        failUnread(state, file, QStringLiteral("файл прогресса слишком велик"));
    QFile progress(path);
    if (!progress.open(QIODevice::ReadOnly))
        failUnread(state, file, QStringLiteral("файл не удается открыть"));
    // Records past the entry count are ignored (and dropped at the next save).
    const QByteArray bytes = progress.read(qint64(count + 1) * ProgressRecord::Size);
    if (progress.error() != QFileDevice::NoError)
        failUnread(state, file, QStringLiteral("ошибка чтения с диска"));
    // An empty file holds nothing to keep (a save that once failed may have left one).
    if (bytes.isEmpty())
        throw CourseError(QStringLiteral("Файл прогресса пуст: отметки о выполненных упражнениях начнутся заново"), file);
    if (!progressFromBytes(bytes, count, state.Progress))
        failUnread(state, file, QStringLiteral("файл не является файлом прогресса этой программы"));
    // A part of a record at the end of what was read: the whole records are kept, and the
    // file as it was is copied aside before a save completes it.
    if (bytes.size() % ProgressRecord::Size != 0) {
        state.KeepDamagedCopy = true;
        throw CourseError(QStringLiteral("Файл прогресса поврежден: он обрывается посреди записи. Целые записи "
                                         "прочитаны; копия файла будет сохранена как «%1».")
                              .arg(QFileInfo(path).fileName() + DamagedSuffix),
                          file);
    }
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
    if (state.FileUnread)
        return;
    if (file.isEmpty())
        throw CourseError(QStringLiteral("Не удалось сохранить отметки: у пользователя нет файла прогресса в папке курса"));
    if (state.KeepDamagedCopy && fileExists(file))
        replaceFileAtomically(file + DamagedSuffix, readFileBytes(file, MaxProgressFileBytes));
    replaceFileAtomically(file, progressFileBytes(state));
}

bool hasProgressSignature(const QString &file)
{
    QFile progress(localPath(file));
    if (!QFileInfo(progress).isFile() || !progress.open(QIODevice::ReadOnly))
        return false;
    return signedHeader(progress.read(ProgressRecord::Size));
}

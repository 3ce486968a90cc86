#include "CourseFiles.h"

#include "WavLength.h"

#include "core/CoursePath.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

#include <QFile>
#include <QFileInfo>

bool isReadableFile(const QString &name, QString &why)
{
    const QFileInfo info(localPath(name));
    if (!info.exists())
        why = QStringLiteral("Файл не найден");
    else if (!info.isFile())
        why = QStringLiteral("это не файл");
    else
        return true;
    return false;
}

std::optional<QByteArray> readCourseFile(const QString &name, QString &why)
{
    if (!isReadableFile(name, why))
        return std::nullopt;
    QFile file(localPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("Не удается открыть файл");
        return std::nullopt;
    }
    // Read by the size the file has, up to the program's limit and one byte past it, so
    // that a file that grows while it is read is still caught.
    if (file.size() > MaxCourseFileBytes) {
        why = QStringLiteral("Файл слишком велик");
        return std::nullopt;
    }
    QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError) {
        why = QStringLiteral("Ошибка чтения: ") + fileErrorText(file.error());
        return std::nullopt;
    }
    if (bytes.size() > MaxCourseFileBytes) {
        why = QStringLiteral("Файл слишком велик");
        return std::nullopt;
    }
    return bytes;
}

std::optional<QList<QByteArray>> readCourseLines(const QString &name, QString &why)
{
    const std::optional<QByteArray> bytes = readCourseFile(name, why);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
}

std::optional<qint32> soundLengthMs(const QString &name, QString &why)
{
    const WavLength length = readWavLength(name);
    if (!length.problem.isEmpty()) {
        why = length.problem;
        return std::nullopt;
    }
    return length.ms;
}

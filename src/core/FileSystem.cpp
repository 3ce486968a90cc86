#include "FileSystem.h"

#include "CourseError.h"
#include "CoursePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/statvfs.h>

bool pathExists(const QString &name)
{
    return !name.isEmpty() && QFileInfo::exists(localPath(name));
}

bool fileExists(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QFileInfo info(localPath(name));
    return info.exists() && !info.isDir();
}

qint64 fileSize(const QString &name)
{
    if (!fileExists(name))
        return -1;
    return QFileInfo(localPath(name)).size();
}

bool deleteFile(const QString &name)
{
    return fileExists(name) && QFile::remove(localPath(name));
}

bool createFolder(const QString &name)
{
    return !name.isEmpty() && QDir().mkdir(toLocalSeparators(name));
}

bool removeFolder(const QString &name)
{
    return !name.isEmpty() && QDir().rmdir(localPath(name));
}

QStringList listFolder(const QString &name)
{
    return QDir(localPath(name)).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

std::optional<quint64> freeBytes(const QString &name)
{
    QFileInfo info(QDir::current().absoluteFilePath(localPath(name.isEmpty() ? QStringLiteral(".") : name)));
    QString path = info.absoluteFilePath();
    while (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return std::nullopt;
        path = parent;
    }
    struct statvfs stats {};
    if (statvfs(QFile::encodeName(path).constData(), &stats) != 0)
        return std::nullopt;
    return quint64(stats.f_bavail) * quint64(stats.f_frsize);
}

QString fileErrorText(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError:
        return QStringLiteral("нет ошибки");
    case QFileDevice::ReadError:
        return QStringLiteral("ошибка чтения с диска");
    case QFileDevice::WriteError:
        return QStringLiteral("ошибка записи на диск (возможно, диск заполнен)");
    case QFileDevice::OpenError:
        return QStringLiteral("файл не удается открыть");
    case QFileDevice::PermissionsError:
        return QStringLiteral("нет прав доступа");
    case QFileDevice::ResourceError:
        return QStringLiteral("не хватает места на диске или системных ресурсов");
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        return QStringLiteral("файл не удается заменить");
    case QFileDevice::RemoveError:
        return QStringLiteral("файл не удается удалить");
    case QFileDevice::ResizeError:
        return QStringLiteral("размер файла не удается изменить");
    case QFileDevice::PositionError:
        return QStringLiteral("ошибка позиционирования в файле");
    case QFileDevice::TimeOutError:
        return QStringLiteral("истекло время ожидания");
    case QFileDevice::AbortError:
        return QStringLiteral("операция прервана");
    case QFileDevice::FatalError:
    case QFileDevice::UnspecifiedError:
        break;
    }
    return QStringLiteral("ошибка файловой системы");
}

QByteArray readFileBytes(const QString &name, qint64 maxBytes)
{
    const QString path = localPath(name);
    QFile file(path);
    // Only plain files: opening a named pipe or a device in place of a course file would
    // wait for a writer or read forever.
    const QFileInfo info(path);
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
        const QString reason = QFileInfo::exists(path) ? QStringLiteral("Не удается открыть файл")
                                                       : QStringLiteral("Файл не найден");
        throw CourseError(reason, name);
    }
    if (file.size() > maxBytes)
        throw CourseError(QStringLiteral("Файл слишком велик"), name);
    // Read one byte past the size the file reports: a file that grows while it is read is
    // still caught by the limit, and no more memory is asked for than the file needs.
    QByteArray bytes = file.read(qMin(maxBytes, file.size()) + 1);
    if (file.error() != QFileDevice::NoError)
        throw CourseError(QStringLiteral("Ошибка чтения: ") + fileErrorText(file.error()), name);
    if (bytes.size() > maxBytes)
        throw CourseError(QStringLiteral("Файл слишком велик"), name);
    return bytes;
}

void replaceFileAtomically(const QString &name, const QByteArray &bytes)
{
    const QString path = localPath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CourseError(QStringLiteral("Не удается создать файл: ") + fileErrorText(file.error()), name);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = fileErrorText(file.error());
        file.cancelWriting();
        throw CourseError(QStringLiteral("Ошибка записи: ") + reason, name);
    }
    if (!file.commit())
        throw CourseError(QStringLiteral("Ошибка записи: ") + fileErrorText(file.error()), name);
}

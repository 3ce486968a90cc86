#include "FileSystem.h"

#include "ConfinedPath.h"
#include "CourseError.h"
#include "CoursePath.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <mutex>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

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
    // A link is removed itself; what it points to stays.
    const QFileInfo info(localPath(name));
    if (!info.isSymLink() && !fileExists(name))
        return false;
    try {
        return QFile::remove(confinedPath(name));
    } catch (const CourseError &) {
        return false;
    }
}

bool createFolder(const QString &name)
{
    try {
        return !name.isEmpty() && QDir().mkdir(confinedPath(name, ConfinedKind::Folder));
    } catch (const CourseError &) {
        return false;
    }
}

void createFolders(const QString &name)
{
    const QString path = confinedPath(name, ConfinedKind::Folder);
    for (qsizetype at = path.indexOf(u'/', 1);; at = path.indexOf(u'/', at + 1)) {
        const QString folder = at < 0 ? path : path.left(at);
        const QByteArray encoded = QFile::encodeName(folder);
        if (::mkdir(encoded.constData(), 0777) != 0) {
            const int error = errno;
            struct stat info {};
            if (error != EEXIST || ::stat(encoded.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
                const QString cause = error == EEXIST ? QStringLiteral("на этом месте есть файл с таким же именем")
                                                      : systemErrorText(error);
                throw CourseError(QStringLiteral("Не удалось создать папку «%1»: %2").arg(folder, cause));
            }
        }
        if (at < 0)
            return;
    }
}

bool removeFolder(const QString &name)
{
    try {
        return !name.isEmpty() && QDir().rmdir(confinedPath(name, ConfinedKind::Folder));
    } catch (const CourseError &) {
        return false;
    }
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

int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

namespace {

[[noreturn]] void failSave(const QString &name, int error)
{
    throw CourseError(QStringLiteral("Не удалось сохранить файл: ") + systemErrorText(error), name);
}

// The temporary files of saves that were killed before their rename (".Users.eng.Ab12Cd"
// beside "Users.eng"). They are left by earlier runs, so each file's are looked for once a
// run. Only old ones go: a save takes far less than ten minutes, so a younger one may
// belong to a save still running in another copy of the program.
void removeKilledSaves(const QFileInfo &target)
{
    static std::mutex sweptLock;
    static std::set<QString> swept;
    {
        const std::lock_guard<std::mutex> lock(sweptLock);
        if (!swept.insert(target.absoluteFilePath()).second)
            return;
    }
    const QString prefix = QStringLiteral(".") + target.fileName() + QStringLiteral(".");
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-600);
    QDir folder(target.absolutePath());
    const QFileInfoList siblings = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &sibling : siblings) {
        const QString name = sibling.fileName();
        if (name.size() == prefix.size() + 6 && name.startsWith(prefix) && sibling.lastModified().toUTC() < before)
            folder.remove(name);
    }
}

} // namespace

void replaceFileAtomically(const QString &name, const QByteArray &bytes)
{
    // Only inside the course; a link in the file's place is replaced by the file, never
    // written through (it may lead out of the course).
    const QString path = confinedPath(name);
    struct stat present {};
    const bool exists = ::lstat(QFile::encodeName(path).constData(), &present) == 0;
    if (exists && S_ISDIR(present.st_mode))
        failSave(name, EISDIR);
    const QFileInfo target(path);
    const QByteArray encoded = QFile::encodeName(target.absoluteFilePath());
    QByteArray temporary = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()) +
                           QByteArrayLiteral(".XXXXXX");

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        failSave(name, errno);
    // The new file keeps the old one's permissions; a new one gets the usual ones.
    mode_t mode = 0;
    if (exists && S_ISREG(present.st_mode)) {
        mode = present.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    int error = writeAll(fd, bytes);
    // Some file systems report a failed write only when the data reach the disk or the file
    // is closed; both are checked before the new file may take the old one's place.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), encoded.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        failSave(name, error);
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    removeKilledSaves(target);
}

QString systemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("на диске не осталось места");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("исчерпана дисковая квота пользователя");
#endif
    case EFBIG:
        return QStringLiteral("файл превысил допустимый размер");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на доступ");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case ENOENT:
        return QStringLiteral("папка не найдена");
    case ENOTDIR:
        return QStringLiteral("часть пути не является папкой");
    case EISDIR:
        return QStringLiteral("на этом месте находится папка");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода на диске");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("файл занят другой программой");
    default:
        return QStringLiteral("системная ошибка %1").arg(error);
    }
}

QString russianCount(qint64 n, const QString &one, const QString &few, const QString &many)
{
    const qint64 tens = (n < 0 ? -n : n) % 100;
    const qint64 units = tens % 10;
    const QString &word = (tens >= 11 && tens <= 14) ? many : units == 1 ? one : (units >= 2 && units <= 4) ? few : many;
    return QString::number(n) + u' ' + word;
}

#include "LockFile.h"

#include "core/FileSystem.h"
#include "core/LocalProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each temporary name is new, also between threads and LockFile objects of one process.
std::atomic<int> uniqueCounter{0};

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

QByteArray uniqueName(const QString &path, const char *what)
{
    return nativeName(path) + '.' + what + '.' + LocalProcess::hostName().toUtf8() + '.' + QByteArray::number(::getpid()) +
           '.' + QByteArray::number(++uniqueCounter);
}

QByteArray readSmall(const QByteArray &name)
{
    QFile file(QFile::decodeName(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096);
}

std::optional<LockFile::Holder> parse(const QByteArray &content)
{
    const QList<QByteArray> lines = content.split('\n');
    if (lines.size() < 3)
        return std::nullopt;
    LockFile::Holder holder;
    holder.host = QString::fromUtf8(lines[0]);
    bool number = false;
    holder.pid = lines[1].toLongLong(&number);
    holder.renewed = QDateTime::fromString(QString::fromLatin1(lines[2]), Qt::ISODate);
    holder.boot = lines.size() > 3 ? lines[3] : QByteArray();
    if (!number || holder.host.isEmpty())
        return std::nullopt;
    return holder;
}

} // namespace

LockFile::LockFile(const QString &path, qint64 staleAfterSeconds) : path_(path), staleAfterSeconds_(staleAfterSeconds)
{
}

LockFile::~LockFile()
{
    unlock();
}

bool LockFile::Holder::isThisProcess() const
{
    return host == LocalProcess::hostName() && pid == ::getpid();
}

QByteArray LockFile::content() const
{
    return LocalProcess::hostName().toUtf8() + '\n' + QByteArray::number(::getpid()) + '\n' +
           QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n' + LocalProcess::bootId() + '\n';
}

LockFile::Result LockFile::tryLock()
{
    if (locked_)
        return Result::Taken;
    const QByteArray lock = nativeName(path_);
    // A takeover that lost a race with another copy's leaves a fresh lock: looked at again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        // The whole content is written first and then linked into place: no copy ever reads
        // a half-written lock. The link count tells whether the link was made even when a
        // network file system lost the answer to it.
        const QByteArray temporary = uniqueName(path_, "new");
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return Result::Impossible;
        const bool written = writeAll(fd, content()) == 0 && ::fsync(fd) == 0;
        ::close(fd);
        if (!written) {
            ::unlink(temporary.constData());
            return Result::Impossible;
        }
        const int linked = ::link(temporary.constData(), lock.constData());
        const int linkError = errno;
        struct stat info {};
        const bool ours = ::stat(temporary.constData(), &info) == 0 && info.st_nlink == 2;
        if (linked != 0 && !ours && linkError != EEXIST) {
            // A file system without hard links (SMB): an exclusive create is the lock then.
            const int direct = ::open(lock.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            const int createError = errno;
            ::unlink(temporary.constData());
            if (direct >= 0) {
                writeAll(direct, content());
                ::close(direct);
                locked_ = true;
                return Result::Taken;
            }
            if (createError != EEXIST)
                return Result::Impossible;
        } else {
            ::unlink(temporary.constData());
            if (ours) {
                locked_ = true;
                return Result::Taken;
            }
        }
        const QByteArray held = readSmall(lock);
        if (!isStale(held) || !takeOverStale(held))
            return Result::Held;
    }
    return Result::Held;
}

LockFile::Result LockFile::lockWithin(int timeoutMs)
{
    for (int waited = 0;; waited += 20) {
        const Result result = tryLock();
        if (result != Result::Held || waited >= timeoutMs)
            return result;
        QThread::msleep(20);
    }
}

bool LockFile::isStale(const QByteArray &content) const
{
    const std::optional<Holder> holder = parse(content);
    if (holder && holder->host == LocalProcess::hostName())
        return LocalProcess::hasEnded(holder->pid, holder->boot);
    // Another computer's processes cannot be seen from here: only a lock not renewed for
    // longer than the stated time is given up. A lock not readable as one is judged by its
    // file's time alone.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime touched = QFileInfo(path_).lastModified().toUTC();
    if (!touched.isValid())
        return false;
    QDateTime newest = touched;
    if (holder && holder->renewed.isValid() && holder->renewed > newest)
        newest = holder->renewed;
    return newest.secsTo(now) > staleAfterSeconds_;
}

bool LockFile::takeOverStale(const QByteArray &content)
{
    // Moved aside first and read again there: when another copy took the stale lock over in
    // the meantime, what was moved is its fresh lock, and it is put back.
    // A folder or a link of the lock's name is nobody's lock and is never moved.
    struct stat info {};
    if (::lstat(nativeName(path_).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return false;
    const QByteArray aside = uniqueName(path_, "stale");
    if (::rename(nativeName(path_).constData(), aside.constData()) != 0)
        return errno == ENOENT; // someone else removed it: try again
    if (readSmall(aside) == content) {
        ::unlink(aside.constData());
        return true;
    }
    // Linked back where links work; moved back where they do not (but never over a lock
    // that a third copy made meanwhile).
    if (::link(aside.constData(), nativeName(path_).constData()) != 0 && errno != EEXIST) {
        if (::rename(aside.constData(), nativeName(path_).constData()) == 0)
            return false;
    }
    ::unlink(aside.constData());
    return false;
}

bool LockFile::renew()
{
    if (!locked_)
        return false;
    const std::optional<Holder> now = parse(readSmall(nativeName(path_)));
    if (!now || !now->isThisProcess()) {
        // A file that cannot be read just now (a network folder that does not answer) is
        // tried again at the next renewal.
        if (QFileInfo::exists(path_) && !now)
            return true;
        locked_ = false;
        return false;
    }
    // Rewritten in place; a reader that comes upon it empty meanwhile judges it by the
    // file's time, which is new.
    const int fd = ::open(nativeName(path_).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return true;
    writeAll(fd, content());
    ::close(fd);
    return true;
}

void LockFile::unlock()
{
    if (!locked_)
        return;
    locked_ = false;
    // Only a lock that is still this process's is removed.
    const std::optional<Holder> now = parse(readSmall(nativeName(path_)));
    if (now && !now->isThisProcess())
        return;
    ::unlink(nativeName(path_).constData());
}

std::optional<LockFile::Holder> LockFile::holder() const
{
    if (!QFileInfo::exists(path_))
        return std::nullopt;
    if (const std::optional<Holder> holder = parse(readSmall(nativeName(path_))))
        return holder;
    return Holder{};
}

#include "CourseLock.h"

#include "users/UserList.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock lies beside the user list it guards.
QString lockFileName()
{
    return UsersFileName + QStringLiteral(".lock");
}

} // namespace

CourseLock::CourseLock() : lock_(QDir::current().filePath(lockFileName()))
{
    // Only a lock whose process is gone is stale; its age alone (a copy that has been open
    // for hours, perhaps on another computer sharing the folder) never is.
    lock_.setStaleLockTime(0);
}

bool CourseLock::acquire()
{
    // A folder or a link with the lock's name is no copy's lock, and no copy could ever
    // take it: said as it is, not as a lock of "process 0".
    struct stat info {};
    if (::lstat(QFile::encodeName(lockFileName()).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        problem_ = QStringLiteral("В папке курса на месте файла блокировки «%1» находится папка или ссылка. "
                                  "Курс не может быть открыт, пока она там; удалите или переименуйте ее.")
                       .arg(lockFileName());
        return false;
    }
    if (lock_.tryLock(0))
        return true;
    // On a folder the program may not write nothing can be overwritten, and a lock a dead
    // copy left there could never be taken over: it is ignored.
    if (::access(".", W_OK) != 0)
        return true;
    switch (lock_.error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host;
        QString application;
        lock_.getLockInfo(&pid, &host, &application);
        problem_ = QStringLiteral("Этот курс уже открыт в другой копии программы (процесс %1 на компьютере «%2»). "
                                  "Две копии в одной папке курса стерли бы записи друг друга, поэтому эта копия "
                                  "закрывается.\rЕсли другая копия уже не работает, удалите файл «%3» "
                                  "в папке курса.")
                       .arg(QString::number(pid), host, lockFileName());
        return false;
    }
    default:
        // A folder that cannot hold the lock file (read-only, full) cannot take the saves
        // either: there is nothing two copies could overwrite, and the course still opens.
        return true;
    }
}

#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>
#include <optional>

// A lock that copies of the program on several computers sharing a network folder can
// hold on something in it. It uses only what NFS and SMB give: the lock is a file made
// exclusively (a hard link of a finished temporary file, or an exclusive create where
// links are not supported), never an advisory lock. The file names the holder's computer,
// process, the time it was last renewed and the computer's boot id.
//
// A lock is stale, and taken over, when its holder ran on this computer and that process
// has ended (or the computer has been restarted since), or when it came from another computer and neither its recorded time nor the
// file's own time is newer than staleAfter: its holder must renew it well within that.
class LockFile {
public:
    struct Holder {
        QString host;
        qint64 pid = 0;
        QDateTime renewed; // invalid when the file could not be read
        QByteArray boot;   // the computer's boot id; empty when not known

        bool isThisProcess() const;
    };
    enum class Result {
        Taken,
        Held,       // by another copy, or by another LockFile of this process
        Impossible, // the folder cannot hold the lock (missing, read-only, full)
    };

    LockFile(const QString &path, qint64 staleAfterSeconds);
    ~LockFile();
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;

    Result tryLock();
    // Tries again while the lock is held, for at most timeoutMs.
    Result lockWithin(int timeoutMs);
    // Writes the time anew, so that no other computer takes the lock as stale. False when
    // the lock is no longer this process's (another copy took it over while this one could
    // not renew, a network folder gone for long); it is not held from then on.
    bool renew();
    void unlock();
    bool isLocked() const { return locked_; }
    QString path() const { return path_; }

    // Who holds the lock now, read from the file; empty when there is no lock file.
    std::optional<Holder> holder() const;

private:
    bool isStale(const QByteArray &content) const;
    bool takeOverStale(const QByteArray &content);
    QByteArray content() const;

    QString path_;
    qint64 staleAfterSeconds_;
    // Read on the interface thread while a renewal may run on another.
    std::atomic<bool> locked_ = false;
};

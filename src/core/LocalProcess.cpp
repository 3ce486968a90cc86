#include "LocalProcess.h"

#include <QFile>
#include <QSysInfo>

#include <cerrno>

#include <signal.h>

namespace LocalProcess {

QString hostName()
{
    return QSysInfo::machineHostName();
}

QByteArray bootId()
{
    static const QByteArray id = [] {
        QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return file.open(QIODevice::ReadOnly) ? file.read(256).trimmed() : QByteArray();
    }();
    return id;
}

bool hasEnded(qint64 pid, const QByteArray &boot)
{
    if (!boot.isEmpty() && !bootId().startsWith(boot))
        return true;
    // A process of another user cannot be signalled but still runs.
    return pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM);
}

} // namespace LocalProcess

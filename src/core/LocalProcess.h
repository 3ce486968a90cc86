#pragma once

#include <QByteArray>
#include <QString>

// Copies of the program on several computers may share one course folder. A file a copy
// leaves there says which process made it by the computer's name, the process id and the
// computer's boot id, since an id recorded before a restart may belong to quite another
// process now; from these a later copy tells whether its maker still runs.
namespace LocalProcess {

QString hostName();
// Changes at every start of the computer; empty when not known.
QByteArray bootId();
// True when the process `pid` of this computer, recorded during the boot `boot` (the boot
// id or its beginning; empty when not recorded), has surely ended: it runs no more, or the
// computer has been started again since.
bool hasEnded(qint64 pid, const QByteArray &boot);

} // namespace LocalProcess

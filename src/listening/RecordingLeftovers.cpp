#include "RecordingLeftovers.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "sound/RecordingSpool.h"
#include "sound/SoundResult.h"
#include "sound/WavFile.h"

#include <QDir>
#include <QFileInfo>

namespace RecordingLeftovers {

QStringList present()
{
    return QDir::current().entryList({RecordingSpool::NamePrefix + u'*' + RecordingSpool::NameSuffix}, QDir::Files,
                                     QDir::Name);
}

bool holdsNoSound(const QString &recording)
{
    const qint64 size = fileSize(recording);
    if (size <= 0)
        return true;
    try {
        return readWavFile(recording).frames() == 0;
    } catch (const SoundFailure &) {
        return false;
    }
}

bool recover(const QString &recording, const QStringList &before)
{
    if (recording.isEmpty())
        return false;
    // Most runs leave no copy: the recording is read only when there is one to recover.
    QString newest;
    QDateTime newestTime;
    for (const QString &name : present()) {
        if (before.contains(name))
            continue;
        const QDateTime modified = QFileInfo(name).lastModified();
        if (newest.isEmpty() || modified >= newestTime) {
            newest = name;
            newestTime = modified;
        }
    }
    if (newest.isEmpty() || !holdsNoSound(recording))
        return false;
    try {
        replaceFileAtomically(recording, readFileBytes(newest, MaxSoundFileBytes));
    } catch (const CourseError &) {
        return false; // the copy stays for another try
    }
    deleteFile(newest);
    return true;
}

} // namespace RecordingLeftovers

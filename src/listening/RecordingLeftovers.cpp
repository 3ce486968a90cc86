#include "RecordingLeftovers.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "sound/SoundResult.h"
#include "sound/WavFile.h"

#include <QDir>
#include <QFileInfo>

namespace RecordingLeftovers {

QStringList present()
{
    // The name the sound device gives its safety copies.
    return QDir::current().entryList({QStringLiteral("vestoria-rec-*.tmp")}, QDir::Files, QDir::Name);
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
    if (recording.isEmpty() || !holdsNoSound(recording))
        return false;
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
    if (newest.isEmpty())
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

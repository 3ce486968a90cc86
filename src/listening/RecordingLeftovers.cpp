#include "RecordingLeftovers.h"

#include "CueFileWriter.h"
#include "TextWorkFiles.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"
#include "core/LocalProcess.h"
#include "sound/RecordingSpool.h"
#include "sound/SoundResult.h"
#include "sound/WavFile.h"

#include <QDir>
#include <QFileInfo>

namespace RecordingLeftovers {

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

namespace {

// The safety copy's sound written as `recording`, with a header that tells exactly the
// frames it holds (the copy's own may lag behind its data when the program died).
void putInPlace(const QString &copy, const QString &recording, const SoundData &sound)
{
    replaceFileAtomically(recording, encodeWav(sound));
    deleteFile(copy);
}

// The cue file a recording of the wait kind began: finished with the recording it times.
void finishCueFile(const QString &recording)
{
    const QString cue = TextWorkFiles::cueFileName(recording);
    const QString work = CueFileWriter::workFileName(cue);
    if (!fileExists(work))
        return;
    try {
        replaceFileAtomically(cue, readFileBytes(work));
    } catch (const CourseError &) {
        return;
    }
    deleteFile(work);
}

// True when the copy's maker may still be recording into it or mean to recover it itself.
// Several copies of the program may work in one folder, on this computer or on others.
bool makerMayRun(const RecordingSpool::Owner &owner)
{
    // Names of earlier versions did not say the computer: taken for this one's.
    if (owner.host.isEmpty())
        return !LocalProcess::hasEnded(owner.process, QByteArray());
    // Another computer's processes cannot be seen from here; its own copy recovers the file.
    if (owner.host != RecordingSpool::hostInName(LocalProcess::hostName()))
        return true;
    return !LocalProcess::hasEnded(owner.process, owner.boot);
}

// The name of the second file a recovered copy is kept as, beside the recording. A process
// id comes again in time (and on other computers): an earlier file of the same name stays.
QString keptName(const QString &folder, const QString &recordingName, qint64 process)
{
    const QString stem = recordingName.left(recordingName.lastIndexOf(u'.')) + QStringLiteral(" (прервана ") +
                         QString::number(process);
    QString name = stem + QStringLiteral(").wav");
    for (int n = 2; fileExists(folder + name); ++n)
        name = stem + u'-' + QString::number(n) + QStringLiteral(").wav");
    return name;
}

} // namespace

std::optional<double> recoverAfterRun(const QString &recording)
{
    if (recording.isEmpty())
        return std::nullopt;
    // Most runs leave no copy: the recording is read only when there is one to recover.
    const QString copy = RecordingSpool::nameFor(recording);
    if (!fileExists(copy) || !holdsNoSound(recording))
        return std::nullopt;
    try {
        const SoundData sound = readWavFile(copy);
        putInPlace(copy, recording, sound);
        return double(sound.frames()) / sound.format.rate;
    } catch (const SoundFailure &) {
    } catch (const CourseError &) {
    }
    return std::nullopt; // the copy stays for another try
}

QList<Interrupted> recoverInterrupted(const QString &folder)
{
    QList<Interrupted> recovered;
    const QDir dir(localPath(folder.isEmpty() ? QStringLiteral(".") : folder));
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names) {
        const std::optional<RecordingSpool::Owner> owner = RecordingSpool::parse(name);
        if (!owner || makerMayRun(*owner))
            continue;
        const QString &recordingName = owner->recording;
        const QString copy = folder + name;
        const QString recording = folder + recordingName;
        try {
            const SoundData sound = readWavFile(copy);
            if (sound.frames() == 0) {
                deleteFile(copy);
                continue;
            }
            Interrupted interrupted{recordingName, double(sound.frames()) / sound.format.rate, QString()};
            const QFileInfo present(localPath(recording));
            if (!present.exists() || present.lastModified() < QFileInfo(localPath(copy)).lastModified() ||
                holdsNoSound(recording)) {
                putInPlace(copy, recording, sound);
                finishCueFile(recording);
            } else {
                interrupted.keptAs = keptName(folder, recordingName, owner->process);
                putInPlace(copy, folder + interrupted.keptAs, sound);
            }
            recovered.append(interrupted);
        } catch (const SoundFailure &) {
        } catch (const CourseError &) {
        }
    }
    return recovered;
}

} // namespace RecordingLeftovers

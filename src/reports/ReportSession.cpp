#include "ReportSession.h"

#include "core/ConfinedPath.h"
#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"

#include <QDir>
#include <QFileInfo>

ReportSession::ReportSession(const Catalogue &catalogue, ProgressState &progress, RecordingOf recordingOf)
    : catalogue_(catalogue), progress_(progress), recordingOf_(std::move(recordingOf)),
      lines_(buildReportLines(catalogue, progress, progress.EntryCount))
{
    for (int line = 0; line < lines_.size(); ++line) {
        if (const qsizetype kept = interruptedRecordings(line).size(); kept > 0)
            lines_[line].text = lineText(line, kept);
    }
}

QStringList ReportSession::interruptedRecordings(int line) const
{
    const CatalogueEntry *entry = entryOf(line);
    if (!recordingOf_ || !entry || !keepsRecording(entry->ExerciseKind))
        return {};
    const QString recording = recordingOf_(lines_[line].entry);
    const QString folder = courseFolderOf(recording);
    const QString stem = recording.mid(folder.size()).chopped(qMin<qsizetype>(4, recording.size() - folder.size()));
    QStringList found;
    const QDir dir(localPath(folder.isEmpty() ? QStringLiteral(".") : folder));
    for (const QString &name : dir.entryList({stem + QStringLiteral(" (прервана *).wav")}, QDir::Files, QDir::Name))
        found << folder + name;
    return found;
}

// The line of the report, with a word on the `kept` interrupted recordings kept for it.
QString ReportSession::lineText(int line, qsizetype kept) const
{
    QString text = reportLine(*entryOf(line), *recordOf(line));
    if (kept > 0)
        text += QStringLiteral(" (прерванных записей: %1)").arg(kept);
    return text;
}

const CatalogueEntry *ReportSession::entryOf(int line) const
{
    if (line < 0 || line >= lines_.size())
        return nullptr;
    const int k = lines_[line].entry;
    return k < catalogue_.size() ? &catalogue_[k] : nullptr;
}

ProgressRecord *ReportSession::recordOf(int line) const
{
    return (line < 0 || line >= lines_.size()) ? nullptr : progress_.record(lines_[line].entry);
}

bool ReportSession::lineDone(int line) const
{
    const ProgressRecord *record = recordOf(line);
    return record && record->Done();
}

bool ReportSession::canDeleteSound(int line) const
{
    const CatalogueEntry *entry = entryOf(line);
    return entry && keepsRecording(entry->ExerciseKind) && (lineDone(line) || !interruptedRecordings(line).isEmpty());
}

QString ReportSession::recordingToPlay(int line) const
{
    const CatalogueEntry *entry = entryOf(line);
    if (!entry || !keepsRecording(entry->ExerciseKind) || !lineDone(line))
        return {};
    const QString sound = recordOf(line)->SoundFile();
    return !sound.isEmpty() && fileExists(sound) ? sound : QString();
}

bool ReportSession::deleteSound(int line, QString *problem)
{
    if (!canDeleteSound(line))
        return false;
    const QStringList interrupted = interruptedRecordings(line);
    for (const QString &copy : interrupted)
        deleteFile(copy);
    ProgressRecord *record = recordOf(line);
    if (!record->Done() || record->SoundFile().isEmpty()) {
        lines_[line].text = lineText(line, interruptedRecordings(line).size());
        return !interrupted.isEmpty();
    }
    const QString sound = record->SoundFile();
    // Recordings are kept in the Report tree, and nothing else may be deleted.
    if (!fileExists(sound)) {
        // Nothing to delete.
    } else if (insideReportFolder(sound)) {
        deleteFile(sound);
    } else if (problem) {
        *problem = CourseError(QStringLiteral("Звуковой файл не удален: он лежит вне папки Report этого курса. "
                                              "Отметка о выполнении снята."),
                               sound)
                       .userText();
    }
    record->setDone(false);
    record->setSoundFile(QString());
    lines_[line].text = lineText(line, interruptedRecordings(line).size());
    return true;
}

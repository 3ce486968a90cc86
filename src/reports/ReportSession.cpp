#include "ReportSession.h"

#include "core/ConfinedPath.h"
#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/FileSystem.h"

#include <QDir>
#include <QFileInfo>

ReportSession::ReportSession(const Catalogue &catalogue, ProgressState &progress)
    : catalogue_(catalogue), progress_(progress),
      lines_(buildReportLines(catalogue, progress, progress.EntryCount))
{
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
    return entry && lineDone(line) && keepsRecording(entry->ExerciseKind);
}

bool ReportSession::deleteSound(int line, QString *problem)
{
    ProgressRecord *record = recordOf(line);
    if (!canDeleteSound(line) || record->SoundFile().isEmpty())
        return false;
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
    lines_[line].text = reportLine(*entryOf(line), *record);
    return true;
}

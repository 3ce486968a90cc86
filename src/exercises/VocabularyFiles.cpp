#include "VocabularyFiles.h"

#include "core/CourseError.h"
#include "core/CoursePath.h"
#include "core/Cp1251.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"
#include "core/SegmentFile.h"

#include <QFileInfo>

#include <functional>

namespace {

// Hands lines 1..limit of a file to `take`; a further line is an error, and is not read.
void readLines(const QString &name, int limit, const QString &surplusMessage,
               const std::function<void(int index, QByteArrayView line)> &take)
{
    // Opening a pipe or a device of that name could wait for ever: only a regular file is read.
    const QFileInfo info(localPath(name));
    if (info.exists() && !info.isFile())
        throw CourseError(QStringLiteral("Не удается открыть файл"), name);
    const QByteArray bytes = readFileBytes(name, MaxVocabularyFileBytes);
    int index = 0;
    for (LineReader lines(bytes); !lines.atEnd(); ++index) {
        const QByteArrayView line = lines.next();
        if (index >= limit)
            throw CourseError(surplusMessage, name, index + 1);
        take(index, line);
    }
}

} // namespace

void readVocabulary(const VocabularyFiles &files, QList<VocabularyEntry> &entries)
{
    entries.clear();
    readLines(files.expressions, MaxVocabularyEntries, QStringLiteral("Слишком много строк в файле"),
              [&entries](int, QByteArrayView line) { entries.append({fromCp1251(line), QString(), 0, 0}); });
    // A lesson without expressions cannot be drilled: said like any other damaged file.
    if (entries.isEmpty())
        throw CourseError(QStringLiteral("Файл пуст"), files.expressions);

    const int count = int(entries.size());
    const QString surplus = QStringLiteral("Строк больше, чем выражений");
    readLines(files.translations, count, surplus,
              [&entries](int index, QByteArrayView line) { entries[index].translation = fromCp1251(line); });

    if (files.segments.isEmpty())
        return;
    readLines(files.segments, count, surplus, [&](int index, QByteArrayView line) {
        try {
            const Segment segment = parseSegmentLine(line);
            entries[index].start = segment.startMs;
            entries[index].end = segment.endMs;
        } catch (const CourseError &error) {
            throw error.at(files.segments, index + 1);
        }
    });
}

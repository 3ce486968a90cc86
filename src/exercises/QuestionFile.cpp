#include "QuestionFile.h"

#include "core/CourseError.h"
#include "core/Cp1251.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

QString questText(QByteArrayView line)
{
    // cp1251 is one byte a character, so cutting the bytes cuts the characters.
    return fromCp1251(line.first(std::min<qsizetype>(line.size(), MaxQuestionText)));
}

void forEachQuestionLine(const QString &name, const std::function<void(QByteArrayView)> &take)
{
    const QByteArray bytes = readFileBytes(name);
    int count = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        if (++count > MaxQuestionItems)
            throw CourseError(QStringLiteral("Слишком много строк"), name, count);
        take(line);
    }
}

void readQuestionFile(const QString &name, QList<QuestionEntry> &entries)
{
    entries.clear();
    entries.resize(1);
    forEachQuestionLine(name, [&](QByteArrayView line) {
        QuestionEntry entry;
        entry.question = questText(line);
        entries.append(std::move(entry));
    });
}

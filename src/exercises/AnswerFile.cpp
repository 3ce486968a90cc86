#include "AnswerFile.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

void readAnswerFile(const QString &name, QList<QuestionEntry> &entries)
{
    if (entries.isEmpty())
        entries.resize(1);
    const QByteArray bytes = readFileBytes(name);
    qsizetype group = 0;
    int lineNumber = 0;
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        ++lineNumber;
        if (line.isEmpty())
            throw CourseError(QStringLiteral("Пустая строка"), name, lineNumber);
        if (line.front() == '#') {
            // More groups than questions would write past the entries.
            if (group + 1 >= entries.size())
                throw CourseError(QStringLiteral("Ответов больше, чем вопросов"), name, lineNumber);
            ++group;
            entries[group].answerCount = 0;
            continue;
        }
        QuestionEntry &entry = entries[group];
        if (entry.answerCount >= int(entry.answers.size()))
            throw CourseError(QStringLiteral("Больше четырех ответов на вопрос"), name, lineNumber);
        entry.answers[entry.answerCount++] = questText(line);
    }
}

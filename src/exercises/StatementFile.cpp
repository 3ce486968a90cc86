#include "StatementFile.h"

#include "QuestionFile.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "core/LineReader.h"

void readStatementFile(const QString &name, QList<StatementEntry> &entries)
{
    entries.clear();
    entries.resize(1);
    const QByteArray bytes = readFileBytes(name);
    for (LineReader lines(bytes); !lines.atEnd();) {
        const QByteArrayView line = lines.next();
        if (entries.size() > MaxQuestItems)
            throw CourseError(QStringLiteral("Слишком много строк"), name, int(entries.size()));
        const qsizetype tab = line.indexOf('\t');
        StatementEntry entry;
        entry.statement = questText(tab < 0 ? line : line.first(tab));
        entry.isTrue = tab >= 0 && tab + 1 < line.size() && line[tab + 1] == '0';
        entries.append(std::move(entry));
    }
}

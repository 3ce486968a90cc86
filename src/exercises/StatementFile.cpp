#include "StatementFile.h"

#include "QuestionFile.h"


void readStatementFile(const QString &name, QList<StatementEntry> &entries)
{
    entries.clear();
    entries.resize(1);
    forEachQuestionLine(name, [&](QByteArrayView line) {
        const qsizetype tab = line.indexOf('\t');
        StatementEntry entry;
        entry.statement = questText(tab < 0 ? line : line.first(tab));
        entry.isTrue = tab >= 0 && tab + 1 < line.size() && line[tab + 1] == '0';
        entries.append(std::move(entry));
    });
}

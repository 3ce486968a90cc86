#include "ReportLines.h"

namespace {

// " " and "      ": an exercise line is indented by seven spaces.
const QString ExerciseIndent = QStringLiteral(" ") + QStringLiteral("      ");
const QString NotDone = QStringLiteral("Не выполнено");

} // namespace

bool hasReportLine(quint8 kind)
{
    return kind <= 8 || (kind >= 11 && kind <= 15);
}

QString reportLine(const CatalogueEntry &entry, const ProgressRecord &record)
{
    const quint8 kind = entry.ExerciseKind;
    if (!hasReportLine(kind))
        return {};
    if (kind == KindHeading)
        return QStringLiteral("   Раздел: ") + entry.Title();

    QString state = NotDone;
    if (record.Done()) {
        if (kind == KindMultipleChoice)
            state = QStringLiteral("Выполнено, Ошибок - ") + QString::number(record.Score()) + u'%';
        else if (kind == KindTrueFalse)
            state = QStringLiteral("Выполнено, Оценка - ") + QString::number(record.Score());
        else
            state = QStringLiteral("Выполнено");
    }
    return ExerciseIndent + entry.Title() + QStringLiteral(" - ") + state;
}

QList<ReportLine> buildReportLines(const Catalogue &catalogue, const ProgressState &progress, int count)
{
    QList<ReportLine> lines;
    const ProgressRecord blank;
    for (int k = 1; k <= count && k < catalogue.size(); ++k) {
        if (!hasReportLine(catalogue[k].ExerciseKind))
            continue;
        const ProgressRecord *record = progress.record(k);
        lines.append({reportLine(catalogue[k], record ? *record : blank), k});
    }
    return lines;
}

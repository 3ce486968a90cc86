#include "ClassReport.h"

#include "ReportLines.h"

#include "core/CourseError.h"
#include "core/FileSystem.h"
#include "users/Progress.h"
#include "users/UserList.h"

namespace {

QString cell(const CatalogueEntry &entry, const ProgressRecord &record)
{
    if (!record.Done())
        return {};
    if (entry.ExerciseKind == KindMultipleChoice)
        return QStringLiteral("+ %1%").arg(record.Score());
    if (entry.ExerciseKind == KindTrueFalse)
        return QStringLiteral("+ %1").arg(record.Score());
    return QStringLiteral("+");
}

bool isExercise(quint8 kind)
{
    return kind != KindHeading && hasReportLine(kind);
}

ClassReport::Row rowOf(const UserRecord &user, const Catalogue &catalogue)
{
    ClassReport::Row row;
    row.name = user.Name();
    const int count = int(catalogue.size()) - 1;
    QList<ProgressRecord> records;
    try {
        const QByteArray bytes = readFileBytes(progressFileToRead(user), MaxProgressFileBytes);
        if (!progressFromBytes(bytes, count, records))
            row.problem = QStringLiteral("файл успехов поврежден");
    } catch (const CourseError &error) {
        row.problem = error.message();
    }
    if (!row.problem.isEmpty())
        return row;
    for (int k = 1; k <= count; ++k) {
        if (!isExercise(catalogue[k].ExerciseKind))
            continue;
        row.cells << cell(catalogue[k], records[k]);
        row.doneCount += records[k].Done();
    }
    return row;
}

QByteArray csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

QByteArray csvLine(const QStringList &fields)
{
    QByteArrayList parts;
    for (const QString &field : fields)
        parts << csvField(field);
    return parts.join(',') + "\r\n";
}

} // namespace

ClassReport buildClassReport(const CourseState &course, const QList<UserRecord> &users)
{
    ClassReport report;
    report.made = QDateTime::currentDateTime();
    for (const QChar letter : {u'A', u'B', u'C', u'D'}) {
        const Catalogue *catalogue = course.catalogue(letter);
        if (!catalogue)
            continue;
        ClassReport::Mode mode;
        mode.letter = letter;
        for (const UserRecord &user : users) {
            if (user.Reg() == letter)
                mode.rows << rowOf(user, *catalogue);
        }
        if (mode.rows.isEmpty())
            continue;
        for (int k = 1; k < catalogue->size(); ++k) {
            if (isExercise((*catalogue)[k].ExerciseKind))
                mode.exercises << (*catalogue)[k].Title();
        }
        report.modes << mode;
    }
    return report;
}

QByteArray classReportCsv(const ClassReport &report)
{
    QByteArray csv;
    for (const ClassReport::Mode &mode : report.modes) {
        if (!csv.isEmpty())
            csv += "\r\n";
        csv += csvLine(QStringList{QStringLiteral("Ученик"), QStringLiteral("Режим"), QStringLiteral("Выполнено")} +
                       mode.exercises);
        for (const ClassReport::Row &row : mode.rows) {
            csv += csvLine(QStringList{row.name, QString(mode.letter), row.doneText()} + row.cells);
        }
    }
    return csv;
}

QByteArray classReportHtml(const ClassReport &report)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                                  "<title>Отчет по классу</title><style>"
                                  "table{border-collapse:collapse;margin-bottom:1.5em}"
                                  "th,td{border:1px solid #888;padding:2px 6px;text-align:center}"
                                  "th:first-child,td:first-child{text-align:left}"
                                  "</style></head><body>\n<h1>Отчет по классу</h1>\n<p>")
                   + report.made.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral("</p>\n");
    for (const ClassReport::Mode &mode : report.modes) {
        html += QStringLiteral("<h2>Режим %1</h2>\n<table>\n<tr><th>Ученик</th><th>Выполнено</th>").arg(mode.letter);
        for (const QString &title : mode.exercises)
            html += QStringLiteral("<th>") + title.toHtmlEscaped() + QStringLiteral("</th>");
        html += QStringLiteral("</tr>\n");
        for (const ClassReport::Row &row : mode.rows) {
            html += QStringLiteral("<tr><td>") + row.name.toHtmlEscaped() + QStringLiteral("</td><td>");
            if (!row.problem.isEmpty()) {
                html += QStringLiteral("%1</td><td colspan=\"%2\"></td></tr>\n")
                            .arg(row.problem.toHtmlEscaped())
                            .arg(qMax(1, int(mode.exercises.size())));
                continue;
            }
            html += QString::number(row.doneCount) + QStringLiteral("</td>");
            for (const QString &c : row.cells)
                html += QStringLiteral("<td>") + c.toHtmlEscaped() + QStringLiteral("</td>");
            html += QStringLiteral("</tr>\n");
        }
        html += QStringLiteral("</table>\n");
    }
    html += QStringLiteral("</body></html>\n");
    return html.toUtf8();
}

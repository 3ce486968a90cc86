#pragma once

#include "course/Catalogue.h"
#include "users/Progress.h"

#include <QList>
#include <QString>

// One line of a learner's report and the catalogue entry it stands for.
struct ReportLine {
    QString text;
    int entry;
};

// The report of a mode: a line per heading and exercise of entries 1 to count, in order.
// Kinds 9, 10 and above 15 give no line; the entry of each line is kept with it, so the
// lines after such an entry still find their own record.
QList<ReportLine> buildReportLines(const Catalogue &catalogue, const ProgressState &progress, int count);

// The line of one entry in its present state; empty for the kinds that have none.
QString reportLine(const CatalogueEntry &entry, const ProgressRecord &record);

// True for the kinds whose line the report shows.
bool hasReportLine(quint8 kind);

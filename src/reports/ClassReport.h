#pragma once

#include "course/CourseState.h"
#include "users/UserRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// What a whole class did: for each mode, the exercises of its catalogue and a row per
// learner working in that mode, read from the learners' own progress files.
struct ClassReport {
    struct Row {
        QString name;
        // One cell per exercise of the mode: "" not done, "+" done, with the score of a
        // multiple-choice ("+ 25%") or true/false ("+ 4") exercise.
        QStringList cells;
        int doneCount = 0;
        // Why the learner's progress could not be read; the cells are empty then.
        QString problem;

        // What the done column shows: the count, or the problem in its place.
        QString doneText() const { return problem.isEmpty() ? QString::number(doneCount) : problem; }
    };
    struct Mode {
        QChar letter;
        QStringList exercises; // the titles
        QList<Row> rows;
    };
    QList<Mode> modes; // only the modes some learner works in, A to D
    QDateTime made;
};

// Reads the progress file of every learner (the working directory is the course folder);
// nothing is written. A learner whose file is missing or damaged gets a row with the problem.
ClassReport buildClassReport(const CourseState &course, const QList<UserRecord> &users);

// The report as CSV in UTF-8: for each mode a header line (learner, mode, done count, the
// exercises' titles) and its learners' lines, the modes apart by an empty line.
QByteArray classReportCsv(const ClassReport &report);
// A printable HTML page in UTF-8: a table per mode, with the date it was made.
QByteArray classReportHtml(const ClassReport &report);

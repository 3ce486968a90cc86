#pragma once

#include <QList>
#include <QString>

// One statement of the true/false exercise, numbered from 1; entry 0 holds none.
struct StatementEntry {
    QString statement;
    // The right answer is "Да".
    bool isTrue = false;
    bool done = false;
    bool answeredRight = false;
    qint32 start = 0;
    qint32 end = 0;
};

// Statement file: line i is "statement TAB mark"; the statement is the text before the first
// TAB, cut to MaxQuestionText characters, and the statement is true when the mark (the first
// character after that TAB) is '0'. A line without a TAB is a statement with no mark, so a
// false one. `entries` becomes N + 1 long. Throws CourseError when the file cannot be read or
// has more than MaxQuestionItems lines (the first ones are kept).
void readStatementFile(const QString &name, QList<StatementEntry> &entries);

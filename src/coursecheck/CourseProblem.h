#pragma once

#include <QSet>
#include <QString>

#include <vector>

// One thing in a course folder that would go wrong at run time, where to fix it: the
// file (as the program names it, relative to the course folder, backslashes between
// folders) and the line, 0 when the
// problem concerns the whole file.
struct CourseProblem {
    QString file;
    int line = 0;
    QString message;
    // A warning points at something that works but may not be meant (a timing border
    // inside a word); the check fails only for the other problems.
    bool warning = false;
};

// "file:line: message" (or "file: message" without a line; "file:line: предупреждение:
// message" for a warning), the form editors and build
// logs turn into links. The file is written as the catalogues and the messages write
// course names, with backslashes ("____Data\lesson1\text.txt"), so that each file is
// spelt one way in the whole report.
QString formatProblem(const CourseProblem &problem);

// The problems found so far, in the order found. The same problem found twice (a file
// named by several exercises) is kept once.
class ProblemList {
public:
    void add(const QString &file, int line, const QString &message, bool warning = false);
    const std::vector<CourseProblem> &all() const { return problems_; }
    qsizetype count() const { return qsizetype(problems_.size()); }

private:
    std::vector<CourseProblem> problems_;
    QSet<QString> seen_;
};

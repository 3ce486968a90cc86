#include "CourseProblem.h"

QString formatProblem(const CourseProblem &problem)
{
    QString text = problem.file;
    if (problem.line > 0)
        text += u':' + QString::number(problem.line);
    if (problem.warning)
        text += QStringLiteral(": предупреждение");
    return text + QStringLiteral(": ") + problem.message;
}

void ProblemList::add(const QString &file, int line, const QString &message, bool warning)
{
    const QString key = file + u'\n' + QString::number(line) + u'\n' + message;
    if (seen_.contains(key))
        return;
    seen_.insert(key);
    problems_.push_back({file, line, message, warning});
}

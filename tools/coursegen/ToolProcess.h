#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QProcess;

// The outside programs the course build uses (the speech synthesiser, sox). Each is
// found on PATH once and run to its end; a failure names the program and repeats what
// it said, since that is usually the only clue.

// The full path of a program; fails with a hint where to get it.
QString findTool(const QString &name);

// Runs the program in `folder` and waits for it; fails when it cannot start, runs too
// long, or ends with a non-zero status.
void runTool(const QString &program, const QStringList &arguments, const QString &folder);

// The same, and returns what the program wrote (its output and error channels together).
QString runToolForOutput(const QString &program, const QStringList &arguments, const QString &folder);

// Runs several commands of one program at once and waits for all of them.
void runToolsTogether(const QString &program, const std::vector<QStringList> &argumentLists, const QString &folder);

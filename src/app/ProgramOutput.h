#pragma once

#include <QString>

#include <cstdio>

// What the runs without a window write: text in UTF-8 as it is, and a problem as one line
// "vestoria: text" on standard error (the "\r" line breaks of the message window become spaces).
void print(FILE *stream, const QString &text);
void printProblem(const QString &text);

#pragma once

#include "CheckContext.h"

#include <QString>

// The course files of the question exercises, resolved. The presentation (kind 3) reads
// no answers: `answers` is empty there. The segment file and the sound may be empty.
struct QuestionFiles {
    QString questions;
    QString answers;
    QString segments;
    QString sound;
};

// Questions that fit their 255 characters; an answer file whose "#" groups, one per
// question, hold two to four answers and no empty line; segments as for the vocabulary.
void checkQuestionFiles(CheckContext &context, const NamedAt &at, const QuestionFiles &files);

// The course files of the true/false exercise (kind 7), resolved; all four are read.
struct StatementFiles {
    QString statements;
    QString second; // opened and closed again, never read
    QString segments;
    QString sound;
};

// Statements "text TAB mark" with the mark 0 (true) or 1 (false), at most 49 of them
// (the rows of the results table), and a segment file of the same length.
void checkStatementFiles(CheckContext &context, const NamedAt &at, const StatementFiles &files);

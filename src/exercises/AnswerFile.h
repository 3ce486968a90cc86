#pragma once

#include "QuestionFile.h"

// Answer file: a line beginning with '#' opens the group of the next question (the rest of
// that line is ignored); every following line up to the next '#' line is one answer of that
// question, in order, cut to MaxQuestionText characters. Lines before the first '#' line belong
// to entry 0. Fills the answers of `entries`, which the question file sized.
//
// Throws CourseError naming the file and line at an empty line, a fifth answer in a group, or
// a group past the last question; what was read before stays, each group with the answers
// read so far.
void readAnswerFile(const QString &name, QList<QuestionEntry> &entries);

#pragma once

#include "SegmentLines.h"

#include <QString>

#include <vector>

class CheckContext;

// A timing line that has been read: its line number and span.
struct TimedLine {
    int line = 0;
    SegmentSpan span;
};

// Warns of every start or end of a syntagm that falls inside the sound's speech rather
// than in a pause: a syntagm played on its own would begin or end in the middle of a
// word. A timing made by hand is checked like one the program made.
void checkBordersInSpeech(CheckContext &context, const QString &timingFile, const QString &soundFile,
                          const std::vector<TimedLine> &lines);

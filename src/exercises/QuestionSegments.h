#pragma once

#include "core/SegmentFile.h"

#include <QString>

#include <functional>

// Segment file of a question exercise: line i gives the stretch of item i, for items
// 1..itemCount. Throws CourseError naming the file and line at a malformed line or at a line
// past the last item (the surplus is not read); the items before keep their stretches.
void readQuestionSegments(const QString &name, int itemCount, const std::function<void(int item, Segment)> &store);

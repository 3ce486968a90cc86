#pragma once

#include "core/SegmentFile.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Timings written by the tools course makers use, each a list of labelled stretches of
// a recording: an Audacity label track ("start TAB end TAB label", seconds), SubRip
// (.srt) and WebVTT (.vtt) cues, an aeneas JSON sync map. The format is told from the
// content, so a file's extension does not matter.
enum class ForeignTimingFormat { AudacityLabels, SubRip, WebVtt, AeneasJson };

ForeignTimingFormat detectTimingFormat(const QByteArray &bytes);

// The stretches in file order, in whole milliseconds (rounded). Throws CourseError naming
// `name` and the line of anything it cannot read.
std::vector<Segment> parseForeignTimings(const QByteArray &bytes, const QString &name);

// The timing file of the text file `textName` from the timings in `timingsName`, the
// stretches given to the text's spoken lines in order. Throws CourseError when a file
// cannot be read or the counts differ (naming both).
QByteArray importTimingFile(const QString &timingsName, const QString &textName);

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

class CheckContext;

// A stretch of a sound in milliseconds, as a segment or timing line gives it.
struct SegmentSpan {
    qint32 startMs = 0;
    qint32 endMs = 0;
};

// Parses "start TAB end" as the exercise windows do: the text before the first TAB and
// the rest of the line, each a decimal integer. Empty with the reason otherwise.
std::optional<SegmentSpan> parseSegmentLine(const QByteArray &line, QString &why);

// Checks the lines of a segment file (vocabulary, questions, statements): each must
// parse, start no later than it ends, and end within the sound when its length is
// known. Returns one entry per line, empty where the line is bad.
std::vector<std::optional<SegmentSpan>> checkSegmentLines(CheckContext &context, const QString &file,
                                                         const QList<QByteArray> &lines,
                                                         std::optional<qint32> soundMs, const QString &soundName);

// The problem with a span that parsed, or an empty text: a negative time, an end before
// its start, an end beyond the sound.
QString spanProblem(const SegmentSpan &span, std::optional<qint32> soundMs, const QString &soundName);

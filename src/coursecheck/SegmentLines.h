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
// known; the lines that end beyond the sound make one problem (BeyondSound). Returns one
// entry per line, empty where the line is bad.
std::vector<std::optional<SegmentSpan>> checkSegmentLines(CheckContext &context, const QString &file,
                                                         const QList<QByteArray> &lines,
                                                         std::optional<qint32> soundMs, const QString &soundName);

// The problem with a span that parsed, or an empty text: a negative time, an end before
// its start. An end beyond the sound is left to BeyondSound.
QString spanProblem(const SegmentSpan &span);

// The lines of a timing or segment file that end beyond its sound. A sound that is too
// short (cut, or the wrong one) makes every line from some point on end beyond it: that
// is one fault, reported once, at the first such line, with how many there are.
class BeyondSound {
public:
    BeyondSound(std::optional<qint32> soundMs, const QString &soundName) : soundMs_(soundMs), soundName_(soundName) {}

    // Whether the span ends beyond the sound; such a line is counted.
    bool take(const SegmentSpan &span, int line);
    void report(CheckContext &context, const QString &file) const;

private:
    std::optional<qint32> soundMs_;
    QString soundName_;
    int firstLine_ = 0;
    qint32 firstEndMs_ = 0;
    int count_ = 0;
};

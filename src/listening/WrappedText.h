#pragma once

#include "SyntagmSpan.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The syntagms of a listening text wrapped into display lines of a given width, word by word,
// one syntagm after the other on the same line, with the span of each syntagm. A "#" line
// separates paragraphs by exactly one empty line. Lines and spans count from 1 (entry 0 stays
// empty); the line list grows as far as the text needs.
class WrappedText {
public:
    // Width of a piece of text on screen, in pixels.
    using Measure = std::function<int(const QString &)>;

    static WrappedText wrap(const QStringList &syntagms, int wrapWidth, const Measure &measure);

    // Display line k (1-based); empty beyond the last one.
    QString line(int k) const { return k >= 1 && k < lines_.size() ? lines_[k] : QString(); }
    // Span of syntagm i (1-based); empty for separators and beyond the text.
    SyntagmSpan span(int i) const { return i >= 1 && i < spans_.size() ? spans_[i] : SyntagmSpan{}; }
    // The last display line used.
    int lineTotal() const { return lineTotal_; }
    int syntagmCount() const { return int(spans_.size()) - 1; }

private:
    QStringList lines_{QString()};
    QList<SyntagmSpan> spans_{SyntagmSpan{}};
    int lineTotal_ = 1;
};

#pragma once

#include "SyntagmStyle.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The display lines of a syntagm text: the items wrapped into lines of a given width, the
// place of every item in them, and a style for every character. No painting: widths come
// from a measuring function, so the rules can be checked without a screen.
//
// Items: "#" alone is an empty line, "#@name" a picture on a line of its own, "#text" the
// text on a line of its own, unwrapped; anything else is a syntagm of running text.
// Lines are numbered from 0, and line 0 is never filled. Columns are 1-based.
class SyntagmLayout {
public:
    struct Span {
        int firstLine = 0;
        int firstColumn = 0; // 0 on an empty line; otherwise it takes in the space before the syntagm
        int lastLine = 0;
        int lastColumn = 0;
        friend bool operator==(const Span &, const Span &) = default;
    };

    struct Line {
        QString text;
        int picture = -1; // index into pictureNames() for a picture line
        QList<SyntagmStyle> styles; // one per character
    };

    // Width of a piece of text. Widths add up (no kerning across pieces), as the text is
    // measured and drawn, so a line's width is the sum of its words'.
    using Measure = std::function<double(QStringView)>;

    // Wraps `items` into lines no wider than `width` (a word wider than that stands alone on
    // a line of its own, after an empty one). Styles are left empty until applyStyles.
    void wrap(const QStringList &items, int width, const Measure &measure);

    // Every character gets `base`; with `showRange`, the spans of items first..last get
    // `range`; the span of `current` gets `currentStyle` over that. Indexes outside the items
    // are left out.
    void applyStyles(SyntagmStyle base, bool showRange, int first, int last, SyntagmStyle range, int current,
                     SyntagmStyle currentStyle);

    const QList<Line> &lines() const { return lines_; }
    int lastLine() const { return int(lines_.size()) - 1; }
    const QList<Span> &spans() const { return spans_; }
    int itemCount() const { return int(spans_.size()); }
    // File names of the pictures, in order of appearance.
    const QStringList &pictureNames() const { return pictureNames_; }
    // The picture an item shows, or -1.
    int pictureOfItem(int item) const;

private:
    void applySpan(const Span &span, SyntagmStyle style);
    Line &lineAt(int index);

    QList<Line> lines_;
    QList<Span> spans_;
    QList<int> itemPictures_;
    QStringList pictureNames_;
};

#pragma once

#include <functional>
#include <optional>

// Where a view of many paragraphs stands when only the paragraphs near it are ever laid
// out: its top is a paragraph and a pixel offset into that paragraph. Scrolling by pixels
// asks the heights of the paragraphs it passes; the scroll bar gives every paragraph an
// equal stretch of its range, so dragging the thumb across a long text lays out only
// where it lands. The last paragraph's bottom stops at the view's bottom.
class ParagraphScroll {
public:
    // The height in pixels of a paragraph at the view's current width.
    using HeightOf = std::function<int(int paragraph)>;

    explicit ParagraphScroll(HeightOf heightOf);

    // A new text of this many paragraphs, shown from its top.
    void reset(int paragraphCount);
    void setViewportHeight(int height);
    // The heights are no longer what they were (the width changed): the top paragraph stays
    // at the top.
    void heightsChanged();

    int topParagraph() const { return top_.paragraph; }
    int topOffset() const { return top_.offset; }

    void scrollBy(int pixels);
    void scrollToStart();
    void scrollToEnd();
    // Brings the paragraph's top to the view's top (or as near as the end allows).
    void scrollToParagraph(int paragraph);

    // The scroll bar: its range, its value for the top and back.
    int maximum() const;
    int value() const;
    void setValue(int value);
    int pageStep() const;

private:
    struct Anchor {
        int paragraph = 0;
        int offset = 0;
        bool operator<(const Anchor &other) const
        {
            return paragraph != other.paragraph ? paragraph < other.paragraph : offset < other.offset;
        }
    };

    int height(int paragraph) const;
    int unit() const;
    int valueOf(Anchor anchor) const;
    // The top at which the last paragraph's bottom meets the view's bottom.
    Anchor end() const;
    void keepWithinEnd();

    HeightOf heightOf_;
    int count_ = 0;
    int viewportHeight_ = 0;
    Anchor top_;
    mutable std::optional<Anchor> end_;
};

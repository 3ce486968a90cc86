#include "ParagraphScroll.h"

#include <algorithm>

ParagraphScroll::ParagraphScroll(HeightOf heightOf) : heightOf_(std::move(heightOf)) {}

void ParagraphScroll::reset(int paragraphCount)
{
    count_ = std::max(paragraphCount, 0);
    top_ = {};
    end_.reset();
}

void ParagraphScroll::setViewportHeight(int height)
{
    viewportHeight_ = std::max(height, 0);
    end_.reset();
    keepWithinEnd();
}

void ParagraphScroll::heightsChanged()
{
    end_.reset();
    if (count_ > 0)
        top_.offset = std::min(top_.offset, height(top_.paragraph) - 1);
    keepWithinEnd();
}

// Every paragraph takes at least a pixel, so that walking by pixels always moves on.
int ParagraphScroll::height(int paragraph) const
{
    return std::max(heightOf_(paragraph), 1);
}

void ParagraphScroll::scrollBy(int pixels)
{
    if (count_ == 0)
        return;
    top_.offset += pixels;
    while (top_.offset < 0 && top_.paragraph > 0)
        top_.offset += height(--top_.paragraph);
    top_.offset = std::max(top_.offset, 0);
    const Anchor last = end();
    while (top_ < last && top_.offset >= height(top_.paragraph)) {
        top_.offset -= height(top_.paragraph);
        ++top_.paragraph;
    }
    keepWithinEnd();
}

void ParagraphScroll::scrollToStart()
{
    top_ = {};
}

void ParagraphScroll::scrollToEnd()
{
    top_ = end();
}

void ParagraphScroll::scrollToParagraph(int paragraph)
{
    top_ = {std::clamp(paragraph, 0, std::max(count_ - 1, 0)), 0};
    keepWithinEnd();
}

ParagraphScroll::Anchor ParagraphScroll::end() const
{
    if (!end_) {
        Anchor anchor;
        int below = 0; // the height from the anchor paragraph's top to the text's end
        for (int p = count_ - 1; p >= 0; --p) {
            below += height(p);
            if (below >= viewportHeight_) {
                anchor = {p, below - viewportHeight_};
                break;
            }
        }
        end_ = anchor;
    }
    return *end_;
}

void ParagraphScroll::keepWithinEnd()
{
    if (const Anchor last = end(); last < top_)
        top_ = last;
}

// Offsets reach 2^30 at most, so a value plus a page step never overflows.
int ParagraphScroll::unit() const
{
    return std::clamp((1 << 30) / std::max(count_, 1), 1, 256);
}

int ParagraphScroll::valueOf(Anchor anchor) const
{
    if (count_ == 0)
        return 0;
    const long long within = (long long)anchor.offset * unit() / height(anchor.paragraph);
    return anchor.paragraph * unit() + int(within);
}

int ParagraphScroll::maximum() const
{
    return valueOf(end());
}

int ParagraphScroll::value() const
{
    return valueOf(top_);
}

void ParagraphScroll::setValue(int value)
{
    if (count_ == 0)
        return;
    value = std::clamp(value, 0, maximum());
    const int paragraph = std::min(value / unit(), count_ - 1);
    const long long within = (long long)(value - paragraph * unit()) * height(paragraph) / unit();
    top_ = {paragraph, int(within)};
    keepWithinEnd();
}

// About the paragraphs one view holds, from the top down.
int ParagraphScroll::pageStep() const
{
    int paragraphs = 0;
    int shown = -top_.offset;
    for (int p = top_.paragraph; p < count_ && shown < viewportHeight_; ++p, ++paragraphs)
        shown += height(p);
    return std::max(paragraphs - 1, 1) * unit();
}

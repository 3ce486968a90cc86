#include "ui/ParagraphScroll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// Paragraph heights 10, 20, 30, 10, 20, 30, ... and the paragraphs whose height was asked.
struct Heights {
    std::set<int> asked;
    int operator()(int paragraph)
    {
        asked.insert(paragraph);
        return 10 * (paragraph % 3 + 1);
    }
};

struct Scroll {
    Heights heights;
    ParagraphScroll scroll{[this](int p) { return heights(p); }};

    Scroll(int paragraphs, int viewport)
    {
        scroll.reset(paragraphs);
        scroll.setViewportHeight(viewport);
    }
    std::pair<int, int> top() const { return {scroll.topParagraph(), scroll.topOffset()}; }
};

TEST(ParagraphScrollTest, ScrollsByPixelsAcrossParagraphsAndStopsAtBothEnds)
{
    // GIVEN six paragraphs (10+20+30+10+20+30 = 120 px) in a view 50 px high
    Scroll s(6, 50);

    // WHEN scrolled down by pixels THEN the top walks into the following paragraphs
    s.scroll.scrollBy(15);
    EXPECT_EQ(s.top(), std::make_pair(1, 5));
    s.scroll.scrollBy(30);
    EXPECT_EQ(s.top(), std::make_pair(2, 15));

    // WHEN scrolled far down THEN the last paragraph's bottom meets the view's bottom: the
    // 70 px above the top are paragraphs 0-3
    s.scroll.scrollBy(1000);
    EXPECT_EQ(s.top(), std::make_pair(4, 0));
    EXPECT_EQ(s.scroll.value(), s.scroll.maximum());

    // WHEN scrolled far up THEN the text's top is at the view's top
    s.scroll.scrollBy(-1000);
    EXPECT_EQ(s.top(), std::make_pair(0, 0));
    EXPECT_EQ(s.scroll.value(), 0);
}

TEST(ParagraphScrollTest, ATextShorterThanTheViewDoesNotScroll)
{
    for (int paragraphs : {0, 1, 3}) {
        Scroll s(paragraphs, 500);
        s.scroll.scrollBy(40);
        s.scroll.scrollToEnd();
        s.scroll.setValue(1000);
        EXPECT_EQ(s.top(), std::make_pair(0, 0)) << paragraphs;
        EXPECT_EQ(s.scroll.maximum(), 0) << paragraphs;
    }
}

TEST(ParagraphScrollTest, TheScrollBarOfAMillionParagraphsAsksOnlyTheHeightsItLandsOn)
{
    // GIVEN a text of a million paragraphs
    Scroll s(1'000'000, 100);

    // WHEN the thumb is dragged to the middle and further down in small steps
    const int middle = s.scroll.maximum() / 2;
    s.scroll.setValue(middle);
    const int landed = s.scroll.topParagraph();
    std::vector<int> tops;
    for (int step = 1; step <= 20; ++step) {
        s.scroll.setValue(middle + step * 100);
        tops.push_back(s.scroll.topParagraph() * 1000 + s.scroll.topOffset());
    }

    // THEN the top is near the middle and moved on monotonically, the bar's value is
    // where it was put (to a pixel of the paragraph), and only the paragraphs near the view
    // and the end were measured
    EXPECT_NEAR(landed, 500'000, 10);
    EXPECT_TRUE(std::is_sorted(tops.begin(), tops.end()));
    EXPECT_LE(s.scroll.value(), middle + 2000);
    EXPECT_GT(s.scroll.value(), middle + 2000 - 256 / 10);
    EXPECT_LT(s.heights.asked.size(), 30u);
    EXPECT_GT(s.scroll.pageStep(), 0);
}

TEST(ParagraphScrollTest, ChangedHeightsKeepTheTopParagraph)
{
    // GIVEN a view scrolled into paragraph 4 (20 px high), 15 px down
    int factor = 10;
    ParagraphScroll scroll([&factor](int p) { return factor * (p % 3 + 1); });
    scroll.reset(100);
    scroll.setViewportHeight(50);
    scroll.scrollToParagraph(4);
    scroll.scrollBy(15);

    // WHEN every paragraph becomes half as high (a wider view)
    factor = 5;
    scroll.heightsChanged();

    // THEN paragraph 4 stays at the top, the offset within what it now has
    EXPECT_EQ(scroll.topParagraph(), 4);
    EXPECT_EQ(scroll.topOffset(), 9);
}

} // namespace

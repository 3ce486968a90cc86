#include "listening/ScrollingText.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

// GIVEN four syntagms on four lines of a 90 px high area (a third is 30 px, the middle 45).
class ScrollingTextTest : public ::testing::Test {
protected:
    ScrollingText text{{"One", "#", "Two"}, ScrollingText::lineFont(), QSize(400, 90)};
};

TEST_F(ScrollingTextTest, ScrollFollowsTheSoundWithAQuarterPixelCorrection)
{
    ASSERT_EQ(text.wrapped().lineTotal(), 3);
    // Current y 45 lies below the upper third: the correction grows by one quarter pixel.
    text.scroll(500, 1000);
    EXPECT_EQ(text.correction(), 1);
    EXPECT_EQ(text.scrollOffset(), 30); // trunc(0.5 × 3 × 20 + 0.25)

    text.paint(3); // "Two" on line 3: drawn at 3 × 20 − 30 = 30, not below the third
    EXPECT_EQ(text.currentY(), 30);
    text.scroll(500, 1000);
    text.scroll(500, 1000);
    EXPECT_EQ(text.correction(), -1);
    EXPECT_EQ(text.scrollOffset(), 29); // trunc(30 − 0.25)

    text.rewind();
    EXPECT_EQ(text.correction(), 0);
    EXPECT_EQ(text.currentY(), 45);
}

TEST_F(ScrollingTextTest, AnEmptySoundDoesNotScroll)
{
    text.scroll(0, 0);
    text.scroll(700, 0);
    EXPECT_EQ(text.scrollOffset(), 0);
}

TEST_F(ScrollingTextTest, TheCurrentSyntagmIsRedAndTheOthersBlack)
{
    const QFontMetrics metrics(ScrollingText::lineFont());
    text.paint(1);
    const QImage &image = text.image();
    const auto colours = [&](int line) {
        bool red = false;
        bool black = false;
        const int y0 = line * ScrollingText::LineHeight;
        for (int y = y0; y < y0 + ScrollingText::LineHeight; ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red |= c.red() > 200 && c.green() < 60;
                black |= c.red() < 60 && c.green() < 60 && c.blue() < 60;
            }
        return std::pair{red, black};
    };
    EXPECT_EQ(colours(1), std::pair(true, false));
    EXPECT_EQ(colours(3), std::pair(false, true));
}

} // namespace

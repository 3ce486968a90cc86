#include "exercises/AnswerOrderDraw.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(AnswerOrderDraw, NothingAvailableGivesZeroInsteadOfDrawingForEver)
{
    AnswerOrderDraw draw(1);
    EXPECT_EQ(draw.among(0, [](int) { return true; }), 0);
    EXPECT_EQ(draw.among(5, [](int) { return false; }), 0);
}

TEST(AnswerOrderDraw, DrawsOnlyAvailableNumbersEachOfThemAlike)
{
    AnswerOrderDraw draw(42);
    std::map<int, int> counts;
    for (int i = 0; i < 3000; ++i)
        ++counts[draw.among(6, [](int number) { return number % 2 == 0; })];

    ASSERT_EQ(counts.size(), 3u);
    for (const auto &[number, count] : counts) {
        EXPECT_EQ(number % 2, 0);
        EXPECT_GT(count, 800) << number;
    }
}

TEST(AnswerOrderDraw, TheSameSeedGivesTheSameDraws)
{
    AnswerOrderDraw a(9);
    AnswerOrderDraw b(9);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(a.among(10, [](int) { return true; }), b.among(10, [](int) { return true; }));
}

} // namespace

#include "listening/SyntagmLayout.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 pixels wide, so that widths are easy to read off.
double tenPerCharacter(QStringView text)
{
    return double(text.size()) * 10;
}

struct WrapCase {
    const char *name;
    QStringList items;
    int width;
    QStringList lines; // display lines from line 1 on
    QList<SyntagmLayout::Span> spans;
};

class SyntagmWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(SyntagmWrap, GivesTheseLinesAndSpans)
{
    const WrapCase &c = GetParam();
    SyntagmLayout layout;

    layout.wrap(c.items, c.width, tenPerCharacter);

    QStringList lines;
    for (int i = 1; i <= layout.lastLine(); ++i)
        lines.append(layout.lines()[i].text);
    EXPECT_TRUE(layout.lines()[0].text.isEmpty());
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(layout.spans(), c.spans);
}

INSTANTIATE_TEST_SUITE_P(
    Items, SyntagmWrap,
    ::testing::Values(
        // A syntagm that ends in a space is followed by two: one added after every syntagm.
        // The second span starts on that added space.
        WrapCase{"TwoSyntagmsOnOneLine", {"Hello ", "world."}, 1000, {"Hello  world. "}, {{1, 0, 1, 7}, {1, 7, 1, 14}}},
        WrapCase{"WordsWrapWithTheirSpace", {"aa bb cc"}, 60, {"aa bb ", "cc "}, {{1, 0, 2, 3}}},
        // A word wider than the line leaves an empty line before it and overflows its own.
        WrapCase{"OverWideWordAfterAnEmptyLine", {"abcdefghij"}, 50, {"", "abcdefghij "}, {{1, 0, 2, 11}}},
        WrapCase{"HeadingAfterRunningText", {"One", "#Heading", "Two"}, 1000, {"One ", "Heading", "Two "},
                 {{1, 0, 1, 4}, {2, 1, 2, 7}, {3, 0, 3, 4}}},
        WrapCase{"EmptyLineAfterAHeadingLeavesTwo", {"One", "#Heading", "#", "Two"}, 1000,
                 {"One ", "Heading", "", "", "Two "}, {{1, 0, 1, 4}, {2, 1, 2, 7}, {4, 1, 4, 0}, {5, 0, 5, 4}}},
        WrapCase{"HeadingsAreNotWrapped", {"#A long heading"}, 30, {"", "A long heading", ""}, {{2, 1, 2, 14}}},
        WrapCase{"PictureLine", {"#@p.bmp", "Text"}, 1000, {"", "@0", "Text "}, {{2, 1, 2, 2}, {3, 0, 3, 5}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SyntagmLayout, PicturesAreMarkedOnTheirLinesNotByTheirFirstCharacter)
{
    SyntagmLayout layout;

    layout.wrap({"#@one.bmp", "@home is a word", "#@two.jpg"}, 1000, tenPerCharacter);

    EXPECT_EQ(layout.pictureNames(), QStringList({"one.bmp", "two.jpg"}));
    EXPECT_EQ(layout.pictureOfItem(0), 0);
    EXPECT_EQ(layout.pictureOfItem(1), -1);
    EXPECT_EQ(layout.pictureOfItem(2), 1);
    const int runningLine = layout.spans()[1].firstLine;
    EXPECT_EQ(layout.lines()[runningLine].text, "@home is a word ");
    EXPECT_EQ(layout.lines()[runningLine].picture, -1);
}

// Styles per character: the marked range over the text, the current syntagm over both,
// spans across lines, and indexes past the items ignored.
TEST(SyntagmLayout, StylesTheMarkedRangeAndTheCurrentSyntagm)
{
    const SyntagmStyle base{0, qRgb(0, 0, 0)};
    const SyntagmStyle marked{0, qRgb(0, 0, 255)};
    const SyntagmStyle current{SyntagmStyle::Underline, qRgb(255, 0, 0)};
    SyntagmLayout layout;
    // Lines: "ab cd " / "ef gh " / "ij "
    layout.wrap({"ab", "cd", "ef gh ij"}, 60, tenPerCharacter);
    auto pattern = [&](int line) {
        QString s;
        for (const SyntagmStyle &style : layout.lines()[line].styles)
            s += style == current ? u'C' : style == marked ? u'M' : u'.';
        return s;
    };

    layout.applyStyles(base, true, 0, 1, marked, 2, current);
    EXPECT_EQ(pattern(1), "MMMMMC");
    EXPECT_EQ(pattern(2), "CCCCCC");
    EXPECT_EQ(pattern(3), "CCC");

    layout.applyStyles(base, false, 0, 2, marked, 1, current);
    EXPECT_EQ(pattern(1), "..CCCC");

    layout.applyStyles(base, true, 1, 7, marked, 9, current);
    EXPECT_EQ(pattern(1), "..MMMM");
    EXPECT_EQ(pattern(3), "MMM");
}

} // namespace

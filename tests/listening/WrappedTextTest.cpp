#include "listening/WrappedText.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 px wide.
int tenPerCharacter(const QString &text)
{
    return int(text.size()) * 10;
}

struct WrapCase {
    const char *name;
    QStringList syntagms;
    int width;
    QStringList lines;            // display lines 1 … total
    QList<SyntagmSpan> spans;     // syntagms 1 … n
};

TEST(WrappedTextTest, WrapsWordByWordAndSpansEachSyntagm)
{
    const QList<WrapCase> cases = {
        {"syntagms share a line", {"One two.", "Three."}, 200, {"One two. Three. "}, {{1, 0, 1, 9}, {1, 9, 1, 16}}},
        {"a word that does not fit starts the next line",
         {"aaa bbb", "ccc"},
         80,
         {"aaa bbb ", "ccc "},
         // The second syntagm begins at the end of line 1: its span starts there.
         {{1, 0, 1, 8}, {1, 8, 2, 4}}},
        {"a syntagm running over two lines", {"aa bb cc dd"}, 60, {"aa bb ", "cc dd "}, {{1, 0, 2, 6}}},
        // The title line and the separator each leave their empty line(s); between the two
        // paragraphs exactly one line stays empty.
        {"separators",
         {"#Title", "One.", "#", "Two."},
         200,
         {"", "", "One. ", "", "Two. "},
         {{}, {3, 0, 3, 5}, {}, {5, 0, 5, 5}}},
        {"a word wider than the line stays on its own line",
         {"abcdefghij"},
         50,
         {"abcdefghij "},
         {{1, 0, 1, 11}}},
    };
    for (const WrapCase &c : cases) {
        const WrappedText text = WrappedText::wrap(c.syntagms, c.width, tenPerCharacter);
        EXPECT_EQ(text.lineTotal(), c.lines.size()) << c.name;
        for (int k = 1; k <= c.lines.size(); ++k)
            EXPECT_EQ(text.line(k), c.lines[k - 1]) << c.name << " line " << k;
        for (int i = 1; i <= c.spans.size(); ++i)
            EXPECT_EQ(text.span(i), c.spans[i - 1]) << c.name << " syntagm " << i;
    }
}

// Far more display lines than three per syntagm: the lines grow, nothing is cut.
TEST(WrappedTextTest, ALongSyntagmInANarrowAreaKeepsEveryWord)
{
    const QString syntagm = QStringLiteral("w ").repeated(40).trimmed();
    const WrappedText text = WrappedText::wrap({syntagm}, 15, tenPerCharacter);
    EXPECT_EQ(text.lineTotal(), 40);
    EXPECT_EQ(text.span(1), (SyntagmSpan{1, 0, 40, 2}));
    QString joined;
    for (int k = 1; k <= text.lineTotal(); ++k)
        joined += text.line(k);
    EXPECT_EQ(joined, syntagm + u' ');
}

} // namespace

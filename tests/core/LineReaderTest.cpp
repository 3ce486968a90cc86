#include "core/LineReader.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char *name;
    QByteArray bytes;
    QList<QByteArray> lines;
};

class LineReaderRules : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderRules, SplitsAsOldTextFilesDid)
{
    // GIVEN the bytes of a file, WHEN split into lines, THEN the old text-file rules hold.
    EXPECT_EQ(splitLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LineReaderRules,
    ::testing::Values(
        LineCase{"Empty", QByteArray(), {}},
        LineCase{"WindowsEndings", "one\r\ntwo\r\n", {"one", "two"}},
        LineCase{"UnixEndings", "one\ntwo\n", {"one", "two"}},
        LineCase{"MixedEndings", "one\r\ntwo\nthree\r\n", {"one", "two", "three"}},
        LineCase{"LastLineWithoutEnding", "one\r\ntwo", {"one", "two"}},
        LineCase{"OnlyAnEnding", "\r\n", {""}},
        LineCase{"EmptyLineInTheMiddle", "one\r\n\r\nthree\r\n", {"one", "", "three"}},
        LineCase{"BlankLineAfterLast", "one\r\n\r\n", {"one", ""}},
        LineCase{"CtrlZEndsTheFile", "one\r\ntwo\x1A\r\nthree\r\n", {"one", "two"}},
        LineCase{"CtrlZAtStart", "\x1A" "one\r\n", {}},
        LineCase{"LoneCarriageReturnStaysInLine", "a\rb\r\n", {"a\rb"}},
        LineCase{"TrailingCarriageReturnWithoutLf", "one\r", {"one"}},
        LineCase{"TabsAndHighBytesKept", QByteArray("\xc0\t\xff\r\n"), {QByteArray("\xc0\t\xff")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LineReader, AtEndOnlyAfterTheLastLine)
{
    LineReader reader("a\r\nb");
    ASSERT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.next(), QByteArrayView("a"));
    ASSERT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.next(), QByteArrayView("b"));
    EXPECT_TRUE(reader.atEnd());
    EXPECT_TRUE(reader.next().isEmpty());
}

} // namespace

#include "core/CourseError.h"
#include "core/DecimalInt.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(DecimalInt, AcceptsDecimalIntegers)
{
    const std::pair<const char *, qint64> cases[] = {
        {"0", 0}, {"7", 7}, {"-12", -12}, {"+5", 5}, {"  42", 42}, {"007", 7},
        {"2147483647", 2147483647LL}, {"-2147483648", -2147483648LL},
        {"9223372036854775807", std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", std::numeric_limits<qint64>::min()},
    };
    for (const auto &[text, value] : cases) {
        const auto parsed = parseDecimal(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
}

TEST(DecimalInt, RejectsWhatIsNotADecimalInteger)
{
    for (const char *text : {"", " ", "-", "+", "1a", "a1", "12 ", "1.0", "$1F", "0x10", "--1", "1e3",
                             "\t1", "9223372036854775808", "-9223372036854775809",
                             "99999999999999999999999"}) {
        EXPECT_FALSE(parseDecimal(text).has_value()) << '"' << text << '"';
    }
}

TEST(DecimalInt, NarrowConversionsCheckTheirRange)
{
    EXPECT_EQ(toInt32("-1"), -1);
    EXPECT_THROW(toInt32("2147483648"), CourseError);
    EXPECT_EQ(toByte("255"), 255);
    EXPECT_EQ(toByte("0"), 0);
    EXPECT_THROW(toByte("256"), CourseError);
    EXPECT_THROW(toByte("-1"), CourseError);
    try {
        toByte("x9");
        FAIL() << "no error";
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().contains("x9")) << error.message().toStdString();
    }
    // A line of megabytes is quoted by its first 80 characters only.
    try {
        toByte(QByteArray(100000, 'y'));
        FAIL() << "no error";
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().contains(QString(80, u'y') + u'…')) << error.message().size();
        EXPECT_LT(error.message().size(), 130);
    }
}

} // namespace

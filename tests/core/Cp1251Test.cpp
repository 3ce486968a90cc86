#include "core/Cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, DecodesCyrillicAndAscii)
{
    // "Привет, Ёж!" in cp1251
    const QByteArray bytes("\xcf\xf0\xe8\xe2\xe5\xf2, \xa8\xe6!");
    EXPECT_EQ(fromCp1251(bytes), QStringLiteral("Привет, Ёж!"));
}

TEST(Cp1251, RoundTripsEveryDefinedByte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) // the one byte cp1251 leaves undefined
            all += char(b);
    }
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
}

TEST(Cp1251, UnencodableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1251(QStringLiteral("a\u4e2db\u00e9")), QByteArray("a?b?"));
    EXPECT_EQ(toCp1251(QStringLiteral("№")), QByteArray("\xb9"));
}

} // namespace

#include "core/RecordField.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordField, ShortStringsKeepTheBytesAfterTheirText)
{
    // GIVEN a record whose text field holds garbage after its text
    QByteArray record("\x03" "abcXYZ" "\x01\x02", 9);

    // WHEN a shorter text is written
    writeShortString(record, 0, 6, "de");

    // THEN the length byte and the text change, nothing else
    EXPECT_EQ(record, QByteArray("\x02" "decXYZ" "\x01\x02", 9));
    EXPECT_EQ(readShortString(record, 0, 6), QByteArray("de"));
}

TEST(RecordField, TextsAreCutToTheFieldWidth)
{
    QByteArray record(8, '\0');
    writeShortString(record, 1, 4, "abcdefg");
    EXPECT_EQ(record, QByteArray("\0\x04" "abcd\0\0", 8));
}

TEST(RecordField, DamagedLengthsAndOffsetsStayInsideTheRecord)
{
    const QByteArray record("\xff" "abc", 4);
    EXPECT_EQ(readShortString(record, 0, 3), QByteArray("abc")) << "length byte above the width";
    EXPECT_EQ(readShortString(record, 2, 3), QByteArray()) << "field past the end";
    EXPECT_EQ(readLittleEndian<qint32>(record, 2), 0);
    QByteArray copy = record + QByteArray(1, '\0');
    writeLittleEndian<qint32>(copy, 1, -2);
    EXPECT_EQ(copy, QByteArray("\xff\xfe\xff\xff\xff", 5));
    writeLittleEndian<qint32>(copy, 2, 7);
    EXPECT_EQ(copy, QByteArray("\xff\xfe\xff\xff\xff", 5)) << "a write past the end changes nothing";
}

} // namespace

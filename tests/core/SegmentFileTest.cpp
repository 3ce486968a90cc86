#include "core/CourseError.h"
#include "core/SegmentFile.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentFile, LinesGiveStartAndEnd)
{
    const Segment s = parseSegmentLine("1200\t2500");
    EXPECT_EQ(s.startMs, 1200);
    EXPECT_EQ(s.endMs, 2500);
    for (const char *bad : {"", "1200", "1200 2500", "a\t1", "1\t", "\t1", "1\t2\t3", "1\t99999999999"})
        EXPECT_THROW(parseSegmentLine(bad), CourseError) << '"' << bad << '"';
}

TEST(SegmentFile, ABadLineKeepsWhatCameBeforeAndNamesItsLine)
{
    TempCourse course;
    course.writeBytes("____Data/l1/seg.txt", "0\t900\r\n900\t2000\r\nbroken\r\n3000\t4000\r\n");
    QList<Segment> segments;
    try {
        readSegmentFile("____Data\\l1\\seg.txt", segments);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.line(), 3);
        EXPECT_EQ(error.file(), QStringLiteral("____Data\\l1\\seg.txt"));
    }
    ASSERT_EQ(segments.size(), 2);
    EXPECT_EQ(segments[1].endMs, 2000);
    EXPECT_THROW(readSegmentFile("missing.txt", segments), CourseError);
}

} // namespace

#include "exercises/QuestionSegments.h"

#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Read {
    std::map<int, std::pair<int, int>> stretches;
    int failLine = 0;
};

Read readWith(const QByteArray &file, int itemCount)
{
    TempCourse course;
    course.writeBytes("s.txt", file);
    Read read;
    try {
        readQuestionSegments("s.txt", itemCount, [&read](int item, Segment segment) {
            read.stretches[item] = {segment.startMs, segment.endMs};
        });
    } catch (const CourseError &error) {
        read.failLine = error.line();
    }
    return read;
}

TEST(QuestionSegments, LineIGivesTheStretchOfItemI)
{
    const Read read = readWith("0\t1500\r\n1500\t3200\r\n", 3);
    EXPECT_EQ(read.failLine, 0);
    EXPECT_EQ(read.stretches, (std::map<int, std::pair<int, int>>{{1, {0, 1500}}, {2, {1500, 3200}}}));
}

TEST(QuestionSegments, FailuresKeepTheItemsBefore)
{
    struct Case {
        QByteArray file;
        int items;
        int failLine;
        std::size_t kept;
    };
    for (const Case &c : {Case{"0\t1\n2\t3\n4\t5\n", 2, 3, 2}, // more lines than items: the surplus is not read
                          Case{"0\t1\nbroken\n4\t5\n", 3, 2, 1}, Case{"0\t1\n\n", 3, 2, 1},
                          Case{"1\t2\n", 0, 1, 0}}) {
        const Read read = readWith(c.file, c.items);
        EXPECT_EQ(read.failLine, c.failLine) << c.file.constData();
        EXPECT_EQ(read.stretches.size(), c.kept) << c.file.constData();
    }
}

TEST(QuestionSegments, AMissingFileFails)
{
    TempCourse course;
    EXPECT_THROW(readQuestionSegments("missing.txt", 3, [](int, Segment) {}), CourseError);
}

} // namespace

#include "core/CoursePath.h"
#include "core/FileSystem.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

TEST(CoursePath, BackslashesBecomeFolders)
{
    TempCourse course;
    course.writeBytes("____Data/lesson1/words.txt", "x");
    EXPECT_EQ(localPath("____Data\\lesson1\\words.txt"), QString("____Data/lesson1/words.txt"));
    EXPECT_TRUE(fileExists("____Data\\lesson1\\words.txt"));
}

TEST(CoursePath, CaseDifferencesFallBackToTheFileOnDisk)
{
    // GIVEN a course whose names on disk differ in case from the names the catalogue uses
    TempCourse course;
    course.writeBytes("____Data/Lesson1/Words.TXT", "hello");

    // WHEN the catalogue's name is looked up, THEN the file on disk is found
    EXPECT_EQ(localPath("____data\\LESSON1\\words.txt"), QString("____Data/Lesson1/Words.TXT"));
    EXPECT_EQ(readFileBytes("____data\\lesson1\\words.txt"), QByteArray("hello"));
    EXPECT_EQ(fileSize("____DATA\\lesson1\\WORDS.txt"), 5);
}

TEST(CoursePath, AnExactMatchWinsOverOtherCases)
{
    TempCourse course;
    course.writeBytes("dir/a.txt", "lower");
    course.writeBytes("dir/A.txt", "upper");
    EXPECT_EQ(readFileBytes("dir\\A.txt"), QByteArray("upper"));
    EXPECT_EQ(readFileBytes("dir\\a.txt"), QByteArray("lower"));
}

TEST(CoursePath, MissingNamesAreReturnedAsWritten)
{
    TempCourse course;
    course.writeBytes("dir/a.txt", "x");
    EXPECT_EQ(localPath("dir\\nothing\\b.txt"), QString("dir/nothing/b.txt"));
    EXPECT_EQ(localPath(""), QString());
    EXPECT_FALSE(fileExists("dir\\b.txt"));
}

} // namespace

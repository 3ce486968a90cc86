#include "CourseFixture.h"

#include "coursecheck/CourseCheck.h"
#include "course/LessonTreeShape.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

// A heading entry: kind 0, no description.
QString heading(const char *title, int isChild, int link)
{
    return catalogueLine({QString::fromUtf8(title), QString::number(isChild), QString::number(link), QStringLiteral("2"),
                          QString(), QStringLiteral("0"), {}, {}, {}, {}, {}});
}

TEST(CatalogueCheck, GivenCleanCatalogues_WhenChecked_ThenNoProblems)
{
    const TempCourse course;
    writeCleanCourse(course);
    writeCatalogue(course, u'D', {heading("Урок 1", 1, 1), heading("Часть 1", 1, 2), heading("Часть 2", 0, 3),
                                  heading("Урок 2", 0, 2)});
    const auto problems = checkCourse();
    EXPECT_TRUE(problems.empty()) << describe(problems).toStdString();
}

TEST(CatalogueCheck, GivenAMissingCatalogue_WhenChecked_ThenTheFileIsReportedAndTheOthersChecked)
{
    const TempCourse course;
    writeCleanCourse(course);
    QFile::remove(course.absolute(QStringLiteral("InitRegB.txt")));
    writeCatalogue(course, u'C', {heading("Урок", 1, 5)});

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegB.txt"), 0, QStringLiteral("не читается"))) << describe(problems).toStdString();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegC.txt"), 2, QStringLiteral("вне диапазона")));
    EXPECT_EQ(problems.size(), 2u) << describe(problems).toStdString();
}

TEST(CatalogueCheck, GivenAnEmptyCatalogue_WhenChecked_ThenItNeedsItsRoot)
{
    const TempCourse course;
    writeCleanCourse(course);
    course.writeBytes(QStringLiteral("InitRegA.txt"), QByteArray());
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 0, QStringLiteral("пуст"))) << describe(problems).toStdString();
}

struct BadLine {
    const char *name;
    QByteArray line; // line 2 of catalogue A
    const char *problem;
};

// Test names show the case's name, not its bytes.
void PrintTo(const BadLine &value, std::ostream *out)
{
    *out << value.name;
}

class CatalogueBadLine : public ::testing::TestWithParam<BadLine> {};

// Every line the loader would stop at is reported at its own line, and the lines after it
// are still checked.
TEST_P(CatalogueBadLine, GivenALineTheLoaderRejects_WhenChecked_ThenThatLineIsReported)
{
    const TempCourse course;
    writeCleanCourse(course);
    QByteArray bytes = course.readBytes(QStringLiteral("InitRegA.txt"));
    bytes += GetParam().line + "\r\n";
    bytes += cp1251(QStringLiteral("Урок\t1\t1\t2\t\t0\t\t\t\t\t")) + "\r\n";
    bytes += "x\t1\t1\t2\t\t0\t\t\t\t\t\r\n"; // fine, after the bad one
    course.writeBytes(QStringLiteral("InitRegA.txt"), bytes);

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 2, QString::fromUtf8(GetParam().problem)))
        << describe(problems).toStdString();
    EXPECT_EQ(problems.size(), 1u) << describe(problems).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CatalogueBadLine,
    ::testing::Values(BadLine{"LinkNotANumber", "T\t1\tone\t2\t\t0\t\t\t\t\t", "не загружается"},
                      BadLine{"InfoKindTooLarge", "T\t1\t1\t256\t\t0\t\t\t\t\t", "0 до 255"},
                      BadLine{"KindNegative", "T\t1\t1\t2\t\t-1\t\t\t\t\t", "0 до 255"},
                      BadLine{"MissingKind", "T\t1\t1\t2", "не загружается"},
                      // A blank line is an entry too, and it has no numbers.
                      BadLine{"BlankLine", "", "не загружается"}),
    [](const ::testing::TestParamInfo<BadLine> &info) { return std::string(info.param.name); });

TEST(CatalogueCheck, GivenLinksOutOfRangeOrForward_WhenChecked_ThenEachIsReported)
{
    const TempCourse course;
    writeCleanCourse(course);
    writeCatalogue(course, u'A', {heading("a", 1, 1), heading("b", 0, -1), heading("c", 0, 9), heading("d", 0, 5),
                                  heading("e", 1, 0)});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 3, QStringLiteral("Link -1 вне диапазона от 0 до 6")))
        << describe(problems).toStdString();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 4, QStringLiteral("Link 9 вне диапазона")));
    // In range but naming a later entry, or none: the node would land at the end of the tree.
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 5, QStringLiteral("не указывает на одну из предыдущих")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegA.txt"), 6, QStringLiteral("не указывает на одну из предыдущих")));
    EXPECT_EQ(problems.size(), 4u) << describe(problems).toStdString();
}

TEST(CatalogueCheck, GivenAnEntryUnderAClosedBranch_WhenChecked_ThenThePreOrderIsBroken)
{
    const TempCourse course;
    writeCleanCourse(course);
    // 2 under 1, 3 under 2, 4 beside 2 (closes 2's branch), 5 under 2 again: the tree would
    // list 5 before 4.
    writeCatalogue(course, u'D', {heading("2", 1, 1), heading("3", 1, 2), heading("4", 0, 2), heading("5", 1, 2)});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), 5, QStringLiteral("не в порядке дерева")))
        << describe(problems).toStdString();
    EXPECT_EQ(problems.size(), 1u) << describe(problems).toStdString();
}

TEST(CatalogueCheck, GivenATreeDeeperThanTheCap_WhenChecked_ThenTheFirstTooDeepLineIsReported)
{
    const TempCourse course;
    writeCleanCourse(course);
    // Each line a child of the one before: line k lies on level k.
    QByteArray bytes = cp1251(QStringLiteral("Курс\t0\t0\t2\t\t0\t\t\t\t\t")) + "\r\n";
    for (int k = 2; k <= MaxTreeDepth + 3; ++k)
        bytes += "x\t1\t" + QByteArray::number(k - 1) + "\t2\t\t0\t\t\t\t\t\r\n";
    course.writeBytes(QStringLiteral("InitRegD.txt"), bytes);
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), MaxTreeDepth + 1, QStringLiteral("глубже")))
        << describe(problems).toStdString();
    EXPECT_EQ(problems.size(), 1u) << describe(problems).toStdString();
}

} // namespace

#include "core/CourseError.h"
#include "course/Catalogue.h"
#include "course/CourseState.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Root = "Course\t0\t0\t0\tabout.txt\t0\t\t\t\t\t\r\n";

void writeCatalogues(const TempCourse &course, const QByteArray &d, const QByteArray &others = Root)
{
    course.writeBytes("InitRegA.txt", others);
    course.writeBytes("InitRegB.txt", others);
    course.writeBytes("InitRegC.txt", others);
    course.writeBytes("InitRegD.txt", d);
}

TEST(CatalogueLine, ElevenColumnsFillTheEntry)
{
    const CatalogueEntry entry = parseCatalogueLine(
        "\xd1\xeb\xee\xe2\xe0\t1\t2\t0\tl1\\about.rtf\t2\tl1\\w.txt\tl1\\t.txt\tl1\\w.wav\tl1\\w.seg\tl1\\x y");
    EXPECT_EQ(entry.Title(), QStringLiteral("Слова"));
    EXPECT_TRUE(entry.IsChild);
    EXPECT_EQ(entry.Link, 2);
    EXPECT_EQ(entry.InfoKind, 0);
    EXPECT_EQ(entry.InfoFile(), QStringLiteral("l1\\about.rtf"));
    EXPECT_EQ(entry.ExerciseKind, 2);
    EXPECT_EQ(entry.File1(), QStringLiteral("l1\\w.txt"));
    EXPECT_EQ(entry.File2(), QStringLiteral("l1\\t.txt"));
    EXPECT_EQ(entry.File3(), QStringLiteral("l1\\w.wav"));
    EXPECT_EQ(entry.File4(), QStringLiteral("l1\\w.seg"));
    EXPECT_EQ(entry.File5(), QStringLiteral("l1\\x y"));
}

TEST(CatalogueLine, OnlyTheExactTextZeroMakesASibling)
{
    const std::pair<const char *, bool> cases[] = {{"0", false}, {" 0", true}, {"00", true}, {"", true}, {"1", true}};
    for (const auto &[column, child] : cases) {
        const QByteArray line = QByteArray("T\t") + column + "\t1\t0\t\t0\t\t\t\t\t";
        EXPECT_EQ(parseCatalogueLine(line).IsChild, child) << '"' << column << '"';
    }
}

TEST(CatalogueLine, MissingTabsLeaveTheRestInTheLastColumn)
{
    // Columns 7 to 10 without their TABs: the names are empty and the text stays in File5.
    const CatalogueEntry entry = parseCatalogueLine("T\t1\t1\t0\tinfo\t4\tonly.wav");
    EXPECT_EQ(entry.File1(), QString());
    EXPECT_EQ(entry.File4(), QString());
    EXPECT_EQ(entry.File5(), QStringLiteral("only.wav"));

    const CatalogueEntry empty = parseCatalogueLine("T\t1\t1\t0\t\t2\t\t\t\t\t");
    for (const QString &name : {empty.InfoFile(), empty.File1(), empty.File2(), empty.File3(), empty.File4(), empty.File5()})
        EXPECT_TRUE(name.isEmpty());
}

TEST(CatalogueLine, TextsAreCutTo255Bytes)
{
    const QByteArray longTitle(300, 'a');
    const CatalogueEntry entry = parseCatalogueLine(longTitle + "\t0\t0\t0\t" + QByteArray(400, 'b') + "\t0\t\t\t\t\t" +
                                                     QByteArray(256, 'c'));
    EXPECT_EQ(entry.Title().size(), 255);
    EXPECT_EQ(entry.InfoFile().size(), 255);
    EXPECT_EQ(entry.File5().size(), 255);
}

TEST(CatalogueLine, MalformedNumbersAreErrors)
{
    const char *const lines[] = {
        "",                                   // an empty line
        "Title only",                         // no TABs at all
        "T\t0\t\t0\t\t0\t\t\t\t\t",           // missing Link
        "T\t0\tx1\t0\t\t0\t\t\t\t\t",         // letters in Link
        "T\t0\t1\t\t\t0\t\t\t\t\t",           // missing InfoKind
        "T\t0\t1\t256\t\t0\t\t\t\t\t",        // InfoKind over 255
        "T\t0\t1\t-1\t\t0\t\t\t\t\t",         // InfoKind below 0
        "T\t0\t1\t0\t\t300\t\t\t\t\t",        // kind over 255
        "T\t0\t1\t0\t\t2a\t\t\t\t\t",         // letters in kind
        "T\t0\t1\t0\tinfo",                   // kind missing: no TAB after InfoFile
        "T\t0\t99999999999\t0\t\t0\t\t\t\t\t" // Link beyond 32 bits
    };
    for (const char *line : lines)
        EXPECT_THROW(parseCatalogueLine(line), CourseError) << '"' << line << '"';
}

TEST(Catalogue, EntryZeroIsEmptyAndLinesAreEntries)
{
    const Catalogue catalogue = parseCatalogue(Root + "Lesson\t1\t1\t1\tl.jpg\t0\t\t\t\t\t\r\n", "InitRegD.txt");
    ASSERT_EQ(catalogue.size(), 3);
    EXPECT_TRUE(catalogue[0].Title().isEmpty());
    EXPECT_EQ(catalogue[0].ExerciseKind, 0);
    EXPECT_FALSE(catalogue[0].IsChild);
    EXPECT_EQ(catalogue[1].Title(), QStringLiteral("Course"));
    EXPECT_EQ(catalogue[2].InfoKind, 1);
}

TEST(Catalogue, ABlankLineAfterTheLastEntryFailsOnItsLine)
{
    try {
        parseCatalogue(Root + Root + "\r\n", "InitRegB.txt");
        FAIL() << "a blank line is an entry without numbers";
    } catch (const CourseError &error) {
        EXPECT_EQ(error.file(), QStringLiteral("InitRegB.txt"));
        EXPECT_EQ(error.line(), 3);
        EXPECT_TRUE(error.userText().contains(QStringLiteral("строка 3")));
    }
    EXPECT_EQ(parseCatalogue(Root + Root, "x").size(), 3) << "a last CR LF adds no line";
}

TEST(CatalogueLoading, ReadsTheFourFilesOfTheWorkingDirectory)
{
    TempCourse course;
    writeCatalogues(course, Root + "L\t1\t1\t0\t\t2\t\t\t\t\t\r\n");
    CourseState state;
    loadCatalogues(state);
    EXPECT_EQ(state.count(u'A'), 1);
    EXPECT_EQ(state.count(u'D'), 2);
    EXPECT_EQ(state.count(u'E'), 0);
    EXPECT_EQ(state.catalogue(u'x'), nullptr);
    EXPECT_EQ((*state.catalogue(u'D'))[2].ExerciseKind, 2);
}

TEST(CatalogueLoading, AMissingOrDamagedFileIsReportedAndNothingIsKept)
{
    TempCourse course;
    writeCatalogues(course, Root + "L\t1\tone\t0\t\t2\t\t\t\t\t\r\n");
    CourseState state;
    try {
        loadCatalogues(state);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.file(), QStringLiteral("InitRegD.txt"));
        EXPECT_EQ(error.line(), 2);
        EXPECT_TRUE(error.message().contains("one"));
    }
    EXPECT_EQ(state.count(u'A'), 0);

    course.writeBytes("InitRegC.txt", QByteArray());
    QFile::remove(course.absolute("InitRegB.txt"));
    try {
        loadCatalogues(state);
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.file(), QStringLiteral("InitRegB.txt"));
    }
}

TEST(CourseFileResolution, ExistingNamesStayAndOthersGoToTheDataFolder)
{
    TempCourse course;
    course.writeBytes("here.wav", "x");
    CourseState state;
    EXPECT_EQ(resolveCourseFile(state, "here.wav"), QStringLiteral("here.wav"));
    EXPECT_EQ(resolveCourseFile(state, "l1\\w.txt"), QStringLiteral("____Data\\l1\\w.txt"));
    EXPECT_EQ(resolveCourseFile(state, ""), QStringLiteral("____Data\\"));
    EXPECT_EQ(resolveCourseFile(state, QString(260, u'n')).size(), 255);
}

} // namespace

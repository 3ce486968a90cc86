#include "CourseFixture.h"

#include "coursecheck/CourseCheck.h"
#include "support/SpokenRecording.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kText = QStringLiteral("____Data\\l\\text.txt");
const QString kTrans = QStringLiteral("____Data\\l\\textru.txt");
const QString kTiming = QStringLiteral("____Data\\l\\textseg.txt");
const QString kPictures = QStringLiteral("____Data\\l\\textpic.txt");
const QString kComments = QStringLiteral("____Data\\l\\text.apc");

std::string listed(const std::vector<CourseProblem> &problems)
{
    return describe(problems).toStdString();
}

// A small listening text that passes the check: a heading, two paragraphs, a "#@" picture,
// a sound of 2 s, timing, two story pictures and a comment.
class ListeningFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeCleanCourse(course);
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::green);
        course.writeLines(kText, {QStringLiteral("#Heading"), QStringLiteral("One,"), QStringLiteral("two."),
                                  QStringLiteral("#@mark.bmp"), QStringLiteral("#"), QStringLiteral("Three.")});
        course.writeLines(kTrans, {QStringLiteral("#Заголовок"), QStringLiteral("Один,"), QStringLiteral("два."),
                                   QStringLiteral("#@mark.bmp"), QStringLiteral("#"), QStringLiteral("Три.")});
        course.writeBytes(QStringLiteral("____Data\\l\\text.wav"), pcmWav(2000));
        course.writeLines(kTiming, {QStringLiteral("#"), QStringLiteral("100\t400"), QStringLiteral("500\t800"),
                                    QStringLiteral("#"), QStringLiteral("#"), QStringLiteral("1200\t1700")});
        course.writeLines(kPictures, {QStringLiteral("0\t800\tl\\a.jpg"), QStringLiteral("#"),
                                      QStringLiteral("800\t2000\tl\\b.bmp")});
        course.writeImage(QStringLiteral("____Data\\l\\a.jpg"), picture, "JPEG");
        course.writeImage(QStringLiteral("____Data\\l\\b.bmp"), picture, "BMP");
        // A "#@" picture comes from the working folder, with its "r" and "g" variants.
        for (const char *name : {"mark.bmp", "rmark.bmp", "gmark.bmp"})
            course.writeImage(QString::fromLatin1(name), picture, "BMP");
        course.writeLines(kComments, {QStringLiteral("002A comment. ")});
        writeCatalogue(course, u'D',
                       {catalogueLine({QStringLiteral("Текст"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"),
                                       QString(), QStringLiteral("5"), QStringLiteral("l\\text.txt"),
                                       QStringLiteral("l\\textru.txt"), QStringLiteral("l\\text.wav"),
                                       QStringLiteral("l\\textseg.txt"), QStringLiteral("l\\textpic.txt")})});
    }

    TempCourse course;
};

TEST_F(ListeningFiles, GivenAConsistentText_WhenChecked_ThenNoProblems)
{
    const auto problems = checkCourse();
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(ListeningFiles, GivenABorderInsideAWord_WhenChecked_ThenAWarningAtItsLineThatDoesNotFailTheCheck)
{
    // Speech at 140-340, 540-740 and 1100-1640 ms: the third syntagm's timing starts 100 ms
    // into its speech; every other border lies in a pause.
    SpokenRecording recording;
    recording.pause(140).say(200).pause(200).say(200).pause(360).say(540).pause(360);
    recording.save(course.absolute(QStringLiteral("____Data/l/text.wav")));
    const auto problems = checkCourse();
    ASSERT_EQ(problems.size(), 1u) << listed(problems);
    EXPECT_TRUE(problems[0].warning);
    EXPECT_TRUE(hasProblem(problems, kTiming, 6, QStringLiteral("начало 1200 мс приходится на речь"))) << listed(problems);
    EXPECT_TRUE(formatProblem(problems[0]).contains(QStringLiteral(":6: предупреждение: начало 1200 мс")));
    QProcess command;
    command.start(QStringLiteral(VESTORIA_PROGRAM), {QStringLiteral("--check-course"), course.root()});
    ASSERT_TRUE(command.waitForFinished(60000));
    EXPECT_EQ(command.exitCode(), 0) << "a warning alone does not fail the check";
    EXPECT_EQ(QString::fromUtf8(command.readAllStandardOutput()), formatProblem(problems[0]) + u'\n');

    course.writeLines(kTiming, {QStringLiteral("#"), QStringLiteral("100	300"), QStringLiteral("500	800"),
                                QStringLiteral("#"), QStringLiteral("#"), QStringLiteral("1060	1700")});
    const auto cutEnd = checkCourse();
    ASSERT_EQ(cutEnd.size(), 1u) << listed(cutEnd);
    EXPECT_TRUE(hasProblem(cutEnd, kTiming, 2, QStringLiteral("конец 300 мс приходится на речь"))) << listed(cutEnd);
}

TEST_F(ListeningFiles, GivenATranslationOutOfStep_WhenChecked_ThenSeparatorsAndLengthAreReported)
{
    course.writeLines(kTrans, {QStringLiteral("#Заголовок"), QStringLiteral("Один,"), QStringLiteral("#"),
                               QStringLiteral("#@mark.bmp"), QStringLiteral("#")});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kTrans, 3, QStringLiteral("«#» там, где в тексте фраза"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kText, 6, QStringLiteral("нет перевода")));
    EXPECT_EQ(problems.size(), 2u) << listed(problems);
}

TEST_F(ListeningFiles, GivenBrokenTimingLines_WhenChecked_ThenEachIsReportedAtItsLine)
{
    course.writeLines(kTiming, {QStringLiteral("#"), QStringLiteral("100\tabc"), QStringLiteral("#"),
                                QStringLiteral("900\t1000"), QStringLiteral("#"), QStringLiteral("1200\t2500"),
                                QStringLiteral("2600\t2700")});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kTiming, 2, QStringLiteral("не читается"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kTiming, 3, QStringLiteral("у фразы нет времени")));
    EXPECT_TRUE(hasProblem(problems, kTiming, 4, QStringLiteral("здесь нужна строка «#»")));
    EXPECT_TRUE(hasProblem(problems, kTiming, 6, QStringLiteral("дальше конца звука")));
    EXPECT_TRUE(hasProblem(problems, kTiming, 7, QStringLiteral("больше, чем строк текста")));
    EXPECT_EQ(problems.size(), 5u) << listed(problems);
}

TEST_F(ListeningFiles, GivenTimingThatRunsBackOrStops_WhenChecked_ThenTheHighlightWouldNotFollow)
{
    course.writeLines(kTiming, {QStringLiteral("#"), QStringLiteral("100\t600"), QStringLiteral("500\t0")});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kTiming, 3, QStringLiteral("раньше начала"))) << listed(problems);
    // Lines 4 to 6 have no timing; the first syntagm among them is reported.
    EXPECT_TRUE(hasProblem(problems, kText, 6, QStringLiteral("нет времени")));
    EXPECT_EQ(problems.size(), 2u) << listed(problems);

    course.writeLines(kTiming, {QStringLiteral("#"), QStringLiteral("100\t600"), QStringLiteral("500\t800"),
                                QStringLiteral("#"), QStringLiteral("#"), QStringLiteral("0\t0")});
    const auto again = checkCourse();
    EXPECT_TRUE(hasProblem(again, kTiming, 3, QStringLiteral("раньше конца предыдущей"))) << listed(again);
    EXPECT_TRUE(hasProblem(again, kTiming, 6, QStringLiteral("примет фразу за разделитель")));
    EXPECT_EQ(again.size(), 2u) << listed(again);
}

TEST_F(ListeningFiles, GivenAPictureList_WhenLinesOrPicturesAreBad_ThenEachIsReported)
{
    course.writeLines(kPictures, {QStringLiteral("#"), QStringLiteral("0\t800"), QStringLiteral("x\t9\tl\\a.jpg"),
                                  QStringLiteral("900\t800\tl\\a.jpg"), QStringLiteral("0\t2000\tl\\missing.jpg")});
    course.writeBytes(QStringLiteral("____Data\\l\\a.jpg"), "broken");
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kPictures, 1, QStringLiteral("первая строка должна задавать рисунок"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kPictures, 2, QStringLiteral("не хватает TAB")));
    EXPECT_TRUE(hasProblem(problems, kPictures, 3, QStringLiteral("не читается")));
    EXPECT_TRUE(hasProblem(problems, kPictures, 4, QStringLiteral("раньше начала")));
    EXPECT_TRUE(hasProblem(problems, kPictures, 4, QStringLiteral("рисунок ____Data\\l\\a.jpg не загружается")));
    EXPECT_TRUE(hasProblem(problems, kPictures, 5, QStringLiteral("рисунок ____Data\\l\\missing.jpg не загружается")));
    EXPECT_EQ(problems.size(), 6u) << listed(problems);
}

TEST_F(ListeningFiles, GivenCommentLines_WhenNumbersOrLengthsAreWrong_ThenEachIsReported)
{
    course.writeLines(kComments, {QStringLiteral("006Fine. "), QStringLiteral("007Past the end. "),
                                  QStringLiteral("abcNo number. "), QStringLiteral("01"), QStringLiteral("000Zero. ")});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kComments, 2, QStringLiteral("к строке 7, а в тексте строк 6"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kComments, 3, QStringLiteral("номером строки")));
    EXPECT_TRUE(hasProblem(problems, kComments, 4, QStringLiteral("короче пяти символов")));
    EXPECT_TRUE(hasProblem(problems, kComments, 5, QStringLiteral("к строке 0")));
    EXPECT_EQ(problems.size(), 4u) << listed(problems);

    course.writeBytes(kComments, QByteArray("BM\0\0\x10\r\n\0\0\0\r\n", 12));
    const auto binary = checkCourse();
    EXPECT_TRUE(hasProblem(binary, kComments, 1, QStringLiteral("двоичные данные"))) << listed(binary);
    EXPECT_EQ(binary.size(), 1u) << listed(binary);
}

TEST_F(ListeningFiles, GivenNoCommentFile_WhenChecked_ThenThatIsFine)
{
    QFile::remove(course.absolute(kComments));
    const auto problems = checkCourse();
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(ListeningFiles, GivenAMarkPictureWithoutItsVariant_WhenChecked_ThenTextAndTranslationReportIt)
{
    QFile::remove(course.absolute(QStringLiteral("gmark.bmp")));
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kText, 4, QStringLiteral("рисунок gmark.bmp не загружается"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kTrans, 4, QStringLiteral("рисунок gmark.bmp не загружается")));
    EXPECT_EQ(problems.size(), 2u) << listed(problems);
}

TEST_F(ListeningFiles, GivenATextWithoutItsHeading_WhenChecked_ThenLineOneIsReported)
{
    course.writeLines(kText, {QStringLiteral("Heading"), QStringLiteral("One,"), QStringLiteral("two."),
                              QStringLiteral("#@mark.bmp"), QStringLiteral("#"), QStringLiteral("Three.")});
    course.writeLines(kTrans, {QStringLiteral("Заголовок"), QStringLiteral("Один,"), QStringLiteral("два."),
                               QStringLiteral("#@mark.bmp"), QStringLiteral("#"), QStringLiteral("Три.")});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, kText, 1, QStringLiteral("заголовком"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, kTiming, 1, QStringLiteral("у фразы нет времени")));
    EXPECT_EQ(problems.size(), 2u) << listed(problems);
}

TEST_F(ListeningFiles, GivenAMissingSound_WhenChecked_ThenTheCatalogueLineNamesIt)
{
    QFile::remove(course.absolute(QStringLiteral("____Data\\l\\text.wav")));
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), 2, QStringLiteral("нет файла ____Data\\l\\text.wav")))
        << listed(problems);
    EXPECT_EQ(problems.size(), 1u) << listed(problems);
}

} // namespace

#include "CourseFixture.h"

#include "coursecheck/CourseCheck.h"

#include <QImage>

#include <utility>

#include <gtest/gtest.h>

namespace {

QString entry(int kind, const QString &f1, const QString &f2 = {}, const QString &f3 = {}, const QString &f4 = {},
              const QString &f5 = {})
{
    return catalogueLine({QStringLiteral("Упражнение"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"),
                          QString(), QString::number(kind), f1, f2, f3, f4, f5});
}

QString described(int infoKind, const QString &infoFile)
{
    return catalogueLine({QStringLiteral("Раздел"), QStringLiteral("1"), QStringLiteral("1"), QString::number(infoKind),
                          infoFile, QStringLiteral("0"), {}, {}, {}, {}, {}});
}

QImage smallPicture()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return image;
}

std::string listed(const std::vector<CourseProblem> &problems)
{
    return describe(problems).toStdString();
}

class ExerciseFiles : public ::testing::Test {
protected:
    void SetUp() override { writeCleanCourse(course); }
    TempCourse course;
};

// --- descriptions -----------------------------------------------------------------

TEST_F(ExerciseFiles, GivenDescriptions_WhenChecked_ThenMissingTextsAndBrokenPicturesAreReported)
{
    course.writeLines(QStringLiteral("____Data\\About.TXT"), {QStringLiteral("Описание")});
    course.writeImage(QStringLiteral("____Data\\good.bmp"), smallPicture(), "BMP");
    course.writeBytes(QStringLiteral("____Data\\broken.jpg"), "not a picture");
    writeCatalogue(course, u'B', {described(0, QStringLiteral("about.txt")), described(0, QStringLiteral("none.rtf")),
                                  described(1, QStringLiteral("good.bmp")), described(1, QStringLiteral("broken.jpg")),
                                  described(2, QStringLiteral("ignored.txt")), described(0, QString())});

    const auto problems = checkCourse();
    // The data folder's names are looked up without regard to case, as the program does.
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegB.txt"), 3, QStringLiteral("файл описания ____Data\\none.rtf")))
        << listed(problems);
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegB.txt"), 5, QStringLiteral("рисунок описания ____Data\\broken.jpg")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegB.txt"), 7, QStringLiteral("не указан файл описания")));
    EXPECT_EQ(problems.size(), 3u) << listed(problems);
}

// --- name resolution and missing files ---------------------------------------------

TEST_F(ExerciseFiles, GivenCourseFileNames_WhenResolved_ThenTheWorkingFolderComesBeforeTheDataFolder)
{
    // "root.txt" exists as named, so it is used unchanged; "data.txt" only in the data folder.
    course.writeLines(QStringLiteral("root.txt"), {QStringLiteral("one")});
    course.writeLines(QStringLiteral("____Data\\DATA.txt"), {QStringLiteral("один")});
    writeCatalogue(course, u'D', {entry(1, QStringLiteral("root.txt"), QStringLiteral("data.txt")),
                                  entry(1, QStringLiteral("gone.txt"), QStringLiteral("data.txt")),
                                  entry(2, QString(), QStringLiteral("data.txt"))});

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), 3, QStringLiteral("нет файла ____Data\\gone.txt (File1")))
        << listed(problems);
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), 4, QStringLiteral("не указан File1")));
    EXPECT_EQ(problems.size(), 2u) << listed(problems);
}

TEST_F(ExerciseFiles, GivenAMissingFileNamedTwice_WhenChecked_ThenItIsReportedAtEveryEntryThatNamesIt)
{
    writeCatalogue(course, u'A', {entry(13, QStringLiteral("t.txt")), entry(13, QStringLiteral("t.txt"))});
    writeCatalogue(course, u'C', {entry(13, QStringLiteral("t.txt"))});
    const auto problems = checkCourse();
    for (const auto &[catalogue, line] : {std::pair{"InitRegA.txt", 2}, {"InitRegA.txt", 3}, {"InitRegC.txt", 2}}) {
        EXPECT_TRUE(hasProblem(problems, QString::fromLatin1(catalogue), line, QStringLiteral("нет файла ____Data\\t.txt")))
            << catalogue << ":" << line << "\n" << listed(problems);
    }
}

// --- vocabulary --------------------------------------------------------------------

TEST_F(ExerciseFiles, GivenVocabularyFiles_WhenTheyDisagree_ThenLengthsSegmentsAndTheSoundAreChecked)
{
    course.writeLines(QStringLiteral("____Data\\w.txt"), {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    course.writeLines(QStringLiteral("____Data\\t.txt"), {QStringLiteral("один"), QStringLiteral("два")});
    course.writeLines(QStringLiteral("____Data\\s.txt"),
                      {QStringLiteral("0\t400"), QStringLiteral("500 900"), QStringLiteral("1000\t2500"), QStringLiteral("0\t1")});
    course.writeBytes(QStringLiteral("____Data\\w.wav"), pcmWav(2000));
    writeCatalogue(course, u'D', {entry(2, QStringLiteral("w.txt"), QStringLiteral("t.txt"), QStringLiteral("w.wav"),
                                        QStringLiteral("s.txt")),
                                  entry(1, QStringLiteral("w.txt"), QStringLiteral("t.txt"), QStringLiteral("w.wav"),
                                        QStringLiteral("s.txt"))});

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\w.txt"), 3, QStringLiteral("нет перевода"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\s.txt"), 2, QStringLiteral("нет TAB")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\s.txt"), 3, QStringLiteral("дальше конца звука")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\s.txt"), 4, QStringLiteral("лишняя строка")));
    // The same files under a second entry are not checked again.
    EXPECT_EQ(problems.size(), 4u) << listed(problems);
}

TEST_F(ExerciseFiles, GivenSegmentsWithoutASound_WhenChecked_ThenTheSoundIsRequired)
{
    course.writeLines(QStringLiteral("____Data\\w.txt"), {QStringLiteral("one")});
    course.writeLines(QStringLiteral("____Data\\t.txt"), {QStringLiteral("один")});
    course.writeLines(QStringLiteral("____Data\\s.txt"), {QStringLiteral("0\t400")});
    writeCatalogue(course, u'D', {entry(1, QStringLiteral("w.txt"), QStringLiteral("t.txt"), QString(), QStringLiteral("s.txt")),
                                  entry(2, QStringLiteral("w.txt"), QStringLiteral("t.txt"))});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegD.txt"), 2, QStringLiteral("не указан File3"))) << listed(problems);
    // Without segments the play button is hidden and no sound is needed.
    EXPECT_EQ(problems.size(), 1u) << listed(problems);
}

// --- questions ---------------------------------------------------------------------

TEST_F(ExerciseFiles, GivenAnAnswerFile_WhenItBreaksTheGroupRules_ThenEachBreakIsReportedAtItsLine)
{
    course.writeLines(QStringLiteral("____Data\\q.txt"), {QStringLiteral("Q1?"), QStringLiteral("Q2?"), QStringLiteral("Q3?")});
    course.writeLines(QStringLiteral("____Data\\a.txt"),
                      {QStringLiteral("stray"), QStringLiteral("#1"), QStringLiteral("a"), QStringLiteral("b"),
                       QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("#2"),
                       QStringLiteral("only"), QString()});
    writeCatalogue(course, u'C', {entry(6, QStringLiteral("q.txt"), QStringLiteral("a.txt"))});

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\a.txt"), 1, QStringLiteral("до первой строки «#»")))
        << listed(problems);
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\a.txt"), 7, QStringLiteral("пятый ответ")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\a.txt"), 8, QStringLiteral("меньше двух ответов")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\a.txt"), 10, QStringLiteral("пустая строка")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\q.txt"), 3, QStringLiteral("нет группы ответов")));
    EXPECT_EQ(problems.size(), 5u) << listed(problems);
}

TEST_F(ExerciseFiles, GivenMoreGroupsThanQuestions_WhenChecked_ThenTheFirstExtraGroupIsReported)
{
    course.writeLines(QStringLiteral("____Data\\q.txt"), {QStringLiteral("Q1?")});
    course.writeLines(QStringLiteral("____Data\\a.txt"), {QStringLiteral("#"), QStringLiteral("a"), QStringLiteral("b"),
                                                         QStringLiteral("#"), QStringLiteral("c"), QStringLiteral("d")});
    writeCatalogue(course, u'C', {entry(6, QStringLiteral("q.txt"), QStringLiteral("a.txt"))});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\a.txt"), 4, QStringLiteral("группа ответов без вопроса")))
        << listed(problems);
    EXPECT_EQ(problems.size(), 1u) << listed(problems);
}

TEST_F(ExerciseFiles, GivenTheQuestionPresentation_WhenChecked_ThenItsAnswerFileIsNotRead)
{
    course.writeLines(QStringLiteral("____Data\\q.txt"), {QStringLiteral("Q1?"), QString()});
    course.writeLines(QStringLiteral("____Data\\a.txt"), {QStringLiteral("no group")});
    writeCatalogue(course, u'C', {entry(3, QStringLiteral("q.txt"), QStringLiteral("a.txt"))});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\q.txt"), 2, QStringLiteral("пустой вопрос"))) << listed(problems);
    EXPECT_EQ(problems.size(), 1u) << listed(problems);
}

// --- true/false --------------------------------------------------------------------

TEST_F(ExerciseFiles, GivenStatements_WhenMarksOrLinesAreWrong_ThenEachIsReported)
{
    course.writeLines(QStringLiteral("____Data\\tf.txt"),
                      {QStringLiteral("True one\t0"), QStringLiteral("No mark"), QStringLiteral("Letter mark\tT"),
                       QStringLiteral("Nothing after\t")});
    course.writeLines(QStringLiteral("____Data\\seg.txt"), {QStringLiteral("0\t100"), QStringLiteral("200\t300")});
    course.writeBytes(QStringLiteral("____Data\\tf.wav"), pcmWav(1000));
    writeCatalogue(course, u'C', {entry(7, QStringLiteral("tf.txt"), QStringLiteral("second.txt"), QStringLiteral("tf.wav"),
                                        QStringLiteral("seg.txt"))});

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("InitRegC.txt"), 2, QStringLiteral("нет файла ____Data\\second.txt")))
        << listed(problems);
    // With the second file missing the window reports a read failure; the rest is not checked.
    EXPECT_EQ(problems.size(), 1u) << listed(problems);

    course.writeLines(QStringLiteral("____Data\\second.txt"), {});
    const auto again = checkCourse();
    EXPECT_TRUE(hasProblem(again, QStringLiteral("____Data\\tf.txt"), 2, QStringLiteral("нет TAB"))) << listed(again);
    EXPECT_TRUE(hasProblem(again, QStringLiteral("____Data\\tf.txt"), 3, QStringLiteral("0 (верно) или 1 (неверно)")));
    EXPECT_TRUE(hasProblem(again, QStringLiteral("____Data\\tf.txt"), 4, QStringLiteral("0 (верно) или 1 (неверно)")));
    EXPECT_TRUE(hasProblem(again, QStringLiteral("____Data\\tf.txt"), 3, QStringLiteral("нет отрезка звука")));
    EXPECT_EQ(again.size(), 4u) << listed(again);
}

TEST_F(ExerciseFiles, GivenFiftyStatements_WhenChecked_ThenTheResultsTableIsTooShort)
{
    QByteArray statements, segments;
    for (int i = 0; i < 50; ++i) {
        statements += "Statement\t1\r\n";
        segments += QByteArray::number(i * 10) + '\t' + QByteArray::number(i * 10 + 5) + "\r\n";
    }
    course.writeBytes(QStringLiteral("____Data\\tf.txt"), statements);
    course.writeBytes(QStringLiteral("____Data\\seg.txt"), segments);
    course.writeLines(QStringLiteral("____Data\\q.txt"), {});
    course.writeBytes(QStringLiteral("____Data\\tf.wav"), pcmWav(1000));
    writeCatalogue(course, u'C', {entry(7, QStringLiteral("tf.txt"), QStringLiteral("q.txt"), QStringLiteral("tf.wav"),
                                        QStringLiteral("seg.txt"))});
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("____Data\\tf.txt"), 50, QStringLiteral("первые 49"))) << listed(problems);
    EXPECT_EQ(problems.size(), 1u) << listed(problems);
}

// --- fixed files -------------------------------------------------------------------

TEST_F(ExerciseFiles, GivenMissingOrBrokenFixedFiles_WhenChecked_ThenEachIsReported)
{
    QFile::remove(course.absolute(QStringLiteral("music.wav")));
    QFile::remove(course.absolute(QStringLiteral("NFREESET.TTF")));
    course.writeBytes(QStringLiteral("NullRec.wav"), "RIFF");
    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("music.wav"), 0, QStringLiteral("Файл не найден"))) << listed(problems);
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("NullRec.wav"), 0, QStringLiteral("файл не является звуковым файлом WAV")));
    EXPECT_TRUE(hasProblem(problems, QStringLiteral("NFREESET.TTF"), 0, QStringLiteral("шрифт")));
    EXPECT_EQ(problems.size(), 3u) << listed(problems);
}

} // namespace

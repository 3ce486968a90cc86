#include "ReportCatalogue.h"

#include "reports/ReportLines.h"
#include "reports/ReportSession.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(ReportLines, EachKindHasItsLine)
{
    const Catalogue c = catalogueOfKinds({{"Урок 1", 0}, {"Лексика", 2}, {"Вопросы", 6}, {"Верно?", 7}, {"Перевод", 13}});
    ProgressState p = progressFor(c);
    p.Progress[1].setDone(true); // a heading's record says nothing
    const QString s7 = QStringLiteral("       ");
    QStringList expected = {QStringLiteral("   Раздел: Урок 1"), s7 + QStringLiteral("Лексика - Не выполнено"),
                            s7 + QStringLiteral("Вопросы - Не выполнено"), s7 + QStringLiteral("Верно? - Не выполнено"),
                            s7 + QStringLiteral("Перевод - Не выполнено")};
    auto texts = [&] {
        QStringList lines;
        for (const ReportLine &line : buildReportLines(c, p, p.EntryCount))
            lines << line.text;
        return lines;
    };
    EXPECT_EQ(texts(), expected);

    for (int k = 2; k <= 5; ++k)
        p.Progress[k].setDone(true);
    p.Progress[3].setScore(25);
    p.Progress[4].setScore(4);
    expected = {QStringLiteral("   Раздел: Урок 1"), s7 + QStringLiteral("Лексика - Выполнено"),
                s7 + QStringLiteral("Вопросы - Выполнено, Ошибок - 25%"),
                s7 + QStringLiteral("Верно? - Выполнено, Оценка - 4"), s7 + QStringLiteral("Перевод - Выполнено")};
    EXPECT_EQ(texts(), expected);
    EXPECT_TRUE(buildReportLines(c, p, 0).isEmpty());
}

TEST(ReportLines, KindsWithoutALineDoNotShiftTheLinesAfterThem)
{
    const Catalogue c = catalogueOfKinds({{"Урок", 0}, {"Пусто", 9}, {"Лексика", 2}, {"Нет", 16}, {"Вопросы", 6}});
    ProgressState p = progressFor(c);
    p.Progress[3].setDone(true);
    const QList<ReportLine> lines = buildReportLines(c, p, p.EntryCount);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].entry, 3);
    EXPECT_TRUE(lines[1].text.endsWith(QStringLiteral("Лексика - Выполнено")));
    EXPECT_EQ(lines[2].entry, 5);
}

class ReportSessionTest : public ::testing::Test {
protected:
    TempCourse course;
    Catalogue catalogue = catalogueOfKinds({{"Урок", 0}, {"Лексика", 2}, {"Пусто", 10}, {"Перевод", 12}, {"Запись", 4}});
    ProgressState progress = progressFor(catalogue);
};

TEST_F(ReportSessionTest, OnlyDoneRecordingExercisesMayLoseTheirSound)
{
    for (int k = 1; k <= 5; ++k)
        progress.Progress[k].setDone(true);
    progress.Progress[5].setDone(false);
    ReportSession session(catalogue, progress);
    // lines: 0 heading, 1 kind 2, 2 kind 12 (entry 4), 3 kind 4 (entry 5, not done)
    EXPECT_FALSE(session.canDeleteSound(0));
    EXPECT_FALSE(session.canDeleteSound(1));
    EXPECT_TRUE(session.canDeleteSound(2));
    EXPECT_FALSE(session.canDeleteSound(3));
    EXPECT_FALSE(session.canDeleteSound(-1)) << "no line selected";
    EXPECT_FALSE(session.canDeleteSound(9));
}

TEST_F(ReportSessionTest, OnlyADoneRecordingWhoseFileIsThereIsPlayed)
{
    for (const int k : {2, 4, 5}) {
        course.writeBytes(QStringLiteral("Report/Ann/Ann%1.wav").arg(k), "RIFF");
        progress.Progress[k].setSoundFile(QStringLiteral("Report\\Ann\\Ann%1.wav").arg(k));
    }
    progress.Progress[2].setDone(true);
    progress.Progress[4].setDone(true);
    ReportSession session(catalogue, progress);
    EXPECT_EQ(session.recordingToPlay(2), QStringLiteral("Report\\Ann\\Ann4.wav"));
    EXPECT_TRUE(session.recordingToPlay(0).isEmpty()) << "a heading";
    EXPECT_TRUE(session.recordingToPlay(1).isEmpty()) << "a done exercise of a kind that records nothing";
    EXPECT_TRUE(session.recordingToPlay(3).isEmpty()) << "a recording exercise not done";
    EXPECT_TRUE(session.recordingToPlay(-1).isEmpty()) << "no line selected";
    QFile::remove(course.absolute("Report/Ann/Ann4.wav"));
    EXPECT_TRUE(session.recordingToPlay(2).isEmpty()) << "its file is gone";
}

TEST_F(ReportSessionTest, DeletingASoundClearsTheRecordAndRewritesTheLine)
{
    course.writeBytes("Report/Ann/Ann4.wav", "RIFF");
    progress.Progress[4].setDone(true);
    progress.Progress[4].setSoundFile(QStringLiteral("Report\\Ann\\Ann4.wav"));
    ReportSession session(catalogue, progress);
    EXPECT_TRUE(session.lineDone(2));

    EXPECT_TRUE(session.deleteSound(2));
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann4.wav")));
    EXPECT_FALSE(progress.Progress[4].Done());
    EXPECT_TRUE(progress.Progress[4].SoundFile().isEmpty());
    EXPECT_EQ(session.lines()[2].text, QStringLiteral("       Перевод - Не выполнено"));
    EXPECT_FALSE(session.lineDone(2));
    EXPECT_FALSE(session.deleteSound(2)) << "pressing again does nothing";
}

TEST_F(ReportSessionTest, AnEmptySoundFileOrAMissingFileBehaveAsStated)
{
    progress.Progress[4].setDone(true);
    ReportSession session(catalogue, progress);
    EXPECT_FALSE(session.deleteSound(2)) << "no sound file: nothing changes";
    EXPECT_TRUE(progress.Progress[4].Done());

    progress.Progress[4].setSoundFile(QStringLiteral("Report\\gone.wav"));
    EXPECT_TRUE(session.deleteSound(2)) << "a file that cannot be deleted still clears the record";
    EXPECT_FALSE(progress.Progress[4].Done());
}

// An interrupted recording kept beside a newer one is offered for deletion, done or not.
TEST_F(ReportSessionTest, InterruptedRecordingsKeptBesideTheLearnersAreOfferedForDeletion)
{
    course.writeBytes("Report/Ann/Ann4 (прервана 17).wav", "RIFF");
    course.writeBytes("Report/Ann/Ann4 (прервана 18).wav", "RIFF");
    course.writeBytes("Report/Ann/Ann44 (прервана 19).wav", "RIFF");
    ReportSession session(catalogue, progress, [](int entry) { return QStringLiteral("Report\\Ann\\Ann%1.wav").arg(entry); });
    EXPECT_EQ(session.lines()[2].text, QStringLiteral("       Перевод - Не выполнено (прерванных записей: 2)"));
    EXPECT_TRUE(session.canDeleteSound(2)) << "not done, but with interrupted recordings";
    EXPECT_FALSE(session.canDeleteSound(3));

    EXPECT_TRUE(session.deleteSound(2));
    EXPECT_EQ(QDir("Report/Ann").entryList(QDir::Files), QStringList{"Ann44 (прервана 19).wav"});
    EXPECT_EQ(session.lines()[2].text, QStringLiteral("       Перевод - Не выполнено"));
    EXPECT_FALSE(session.canDeleteSound(2));
    EXPECT_FALSE(session.deleteSound(2));
}

TEST_F(ReportSessionTest, OnlyAFileInTheReportFolderIsDeleted)
{
    course.writeBytes("precious.wav", "keep");
    course.writeBytes("Report/Ann/keep.txt", "k");
    const QString outside[] = {course.absolute("precious.wav"), QStringLiteral("Report\\Ann\\..\\..\\precious.wav")};
    for (const QString &sound : outside) {
        progress.Progress[4].setDone(true);
        progress.Progress[4].setSoundFile(sound);
        ReportSession session(catalogue, progress);
        QString problem;
        EXPECT_TRUE(session.deleteSound(2, &problem));
        EXPECT_TRUE(QFile::exists(course.absolute("precious.wav"))) << sound.toStdString();
        EXPECT_FALSE(progress.Progress[4].Done()) << "the record is cleared all the same";
        // The file is named as this system writes paths.
        EXPECT_TRUE(problem.contains(QStringLiteral("вне папки Report")) &&
                    problem.contains(QString(sound).replace(u'\\', u'/')))
            << problem.toStdString();
    }
}

} // namespace

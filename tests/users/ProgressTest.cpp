#include "core/CourseError.h"
#include "support/TempCourse.h"
#include "users/Progress.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QStringList catalogueLines(int count)
{
    QStringList lines{QStringLiteral("Курс\t0\t0\t0\t\t0\t\t\t\t\t")};
    for (int k = 2; k <= count; ++k)
        lines << QStringLiteral("E%1\t1\t1\t0\t\t2\t\t\t\t\t").arg(k);
    return lines;
}

void writeCatalogue(const TempCourse &course, QChar mode, int count)
{
    QByteArray bytes;
    for (const QString &line : catalogueLines(count))
        bytes += cp1251(line) + "\r\n";
    course.writeBytes(catalogueFileName(mode), bytes);
}

QByteArray signedHeader()
{
    QByteArray header(264, '\0');
    header[8] = 27;
    header.replace(9, 27, "Zelmarinta Vestorianika 1.0");
    return header;
}

CourseState loadedCourse(const TempCourse &course, int a, int d)
{
    writeCatalogue(course, u'A', a);
    writeCatalogue(course, u'B', 1);
    writeCatalogue(course, u'C', 1);
    writeCatalogue(course, u'D', d);
    CourseState state;
    loadCatalogues(state);
    return state;
}

TEST(ProgressRecord, FieldsLieAtTheirOffsets)
{
    ProgressRecord record;
    record.setDone(true);
    record.setScore(-2);
    record.setSoundFile(QStringLiteral("C:\\R\\Ann\\Ann5.wav"));
    const QByteArray &b = record.bytes();
    EXPECT_EQ(b.size(), 264);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b.mid(4, 4), QByteArray("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(b[8], char(17));
    EXPECT_EQ(b.mid(9, 17), QByteArray("C:\\R\\Ann\\Ann5.wav"));
    record.setSoundFile(QString(300, u's'));
    EXPECT_EQ(record.SoundFile().size(), 255);
}

TEST(Progress, ResetAndSaveMakeOneRecordPerCatalogueLine)
{
    // GIVEN a catalogue of 40 entries
    TempCourse course;
    writeCatalogue(course, u'A', 40);
    QDir().mkdir("Report");

    // WHEN a fresh progress is saved
    ProgressState progress;
    resetProgress(progress, u'A');
    saveProgress(progress, "Report\\Ann.rep");

    // THEN the file has the header and 40 records, all not done
    const QByteArray file = course.readBytes("Report/Ann.rep");
    ASSERT_EQ(file.size(), 41 * 264);
    EXPECT_EQ(file[8], char(27));
    EXPECT_EQ(file.mid(9, 27), QByteArray("Zelmarinta Vestorianika 1.0"));
    for (int k = 1; k <= 40; ++k)
        EXPECT_EQ(file.mid(k * 264, 264), QByteArray(264, '\0'));
    EXPECT_TRUE(hasProgressSignature("Report\\Ann.rep"));
}

TEST(Progress, LoadReadsBackEveryByteOfTheRecords)
{
    TempCourse course;
    const CourseState state = loadedCourse(course, 3, 3);
    QByteArray file = signedHeader();
    for (int k = 1; k <= 3; ++k) {
        QByteArray record(264, '\0');
        for (int i = 0; i < 264; ++i)
            record[i] = char(k * 31 + i);
        record[0] = char(k % 2);
        record[8] = 5;
        file += record;
    }
    course.writeBytes("p.rep", file + QByteArray(264, 'x')); // one record more than the catalogue has

    ProgressState progress;
    loadProgress(progress, state, "p.rep", u'D');
    EXPECT_EQ(progress.EntryCount, 3);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(progress.Progress[k].bytes(), file.mid(k * 264, 264));
    EXPECT_TRUE(progress.record(1)->Done());
    EXPECT_FALSE(progress.record(2)->Done());

    saveProgress(progress, "p.rep");
    const QByteArray saved = course.readBytes("p.rep");
    EXPECT_EQ(saved.size(), 4 * 264) << "the surplus record is dropped";
    EXPECT_EQ(saved.mid(264), file.mid(264));
}

TEST(Progress, AShortOrMissingFileFailsAndLeavesFreshProgress)
{
    TempCourse course;
    const CourseState state = loadedCourse(course, 2, 5);
    ProgressState progress;
    resetProgress(progress, u'A');
    progress.Progress[1].setDone(true); // the previous learner's result

    course.writeBytes("short.rep", QByteArray(3 * 264, '\1'));
    EXPECT_THROW(loadProgress(progress, state, "short.rep", u'D'), CourseError);
    EXPECT_EQ(progress.EntryCount, 5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(progress.record(k)->Done());

    try {
        loadProgress(progress, state, "none.rep", u'A');
        FAIL();
    } catch (const CourseError &error) {
        EXPECT_EQ(error.file(), QStringLiteral("none.rep"));
    }
    EXPECT_EQ(progress.EntryCount, 2);
}

// A course update that adds entries must not cost the learner the marks already made; a file
// cut short inside a record is told, and kept beside itself before a save completes it.
TEST(Progress, AShorterFileKeepsItsRecordsAndTheRestAreBlank)
{
    TempCourse course;
    const CourseState state = loadedCourse(course, 2, 5);
    QByteArray done(264, '\0');
    done[0] = 1;
    const QByteArray cut = signedHeader() + done + QByteArray(264, '\0') + done + QByteArray(100, '\1');
    course.writeBytes("p.rep", cut);

    ProgressState progress;
    try {
        loadProgress(progress, state, "p.rep", u'D');
        ADD_FAILURE() << "a file cut short is told";
    } catch (const CourseError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("«p.rep.damaged»"))) << error.message().toStdString();
    }
    EXPECT_FALSE(progress.FileUnread);
    ASSERT_EQ(progress.EntryCount, 5);
    EXPECT_TRUE(progress.record(1)->Done());
    EXPECT_TRUE(progress.record(3)->Done());
    EXPECT_FALSE(progress.record(4)->Done()) << "a partial record is not used";
    EXPECT_EQ(progress.record(5)->bytes(), QByteArray(264, '\0'));
    saveProgress(progress, "p.rep");
    EXPECT_EQ(course.readBytes("p.rep").size(), 6 * 264);
    EXPECT_EQ(course.readBytes("p.rep")[3 * 264], 1);
    EXPECT_EQ(course.readBytes("p.rep.damaged"), cut);

    // A file that only has fewer whole records (the catalogue grew) is no damage.
    course.writeBytes("q.rep", signedHeader() + done);
    EXPECT_NO_THROW(loadProgress(progress, state, "q.rep", u'D'));
    EXPECT_FALSE(progress.KeepDamagedCopy);
}

TEST(Progress, AFileThatCouldNotBeReadIsNeverSavedOver)
{
    TempCourse course;
    const CourseState state = loadedCourse(course, 2, 2);
    QDir().mkdir("folder.rep");
    const QByteArray unsigned_ = QByteArray(264, '\0') + QByteArray(2 * 264, '\1');
    course.writeBytes("unsigned.rep", unsigned_);
    for (const char *file : {"unsigned.rep", "folder.rep"}) {
        ProgressState progress;
        try {
            loadProgress(progress, state, file, u'A');
            FAIL() << file;
        } catch (const CourseError &error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("Отметки о выполненных упражнениях не удалось прочитать")))
                << error.message().toStdString();
        }
        EXPECT_FALSE(progress.record(1)->Done());
        progress.record(1)->setDone(true);
        saveProgress(progress, file);
    }
    EXPECT_EQ(course.readBytes("unsigned.rep"), unsigned_);
    EXPECT_TRUE(QFileInfo("folder.rep").isDir());

    // A new mode the learner chose starts a fresh file all the same.
    ProgressState progress;
    EXPECT_THROW(loadProgress(progress, state, "unsigned.rep", u'A'), CourseError);
    resetProgress(progress, u'A');
    saveProgress(progress, "unsigned.rep");
    EXPECT_TRUE(hasProgressSignature("unsigned.rep"));
}

TEST(Progress, AnUnknownModeKeepsTheEntryCount)
{
    TempCourse course;
    const CourseState state = loadedCourse(course, 2, 5);
    ProgressState progress;
    progress.EntryCount = 2;
    course.writeBytes("p.rep", signedHeader() + QByteArray(2 * 264, '\0'));
    loadProgress(progress, state, "p.rep", u'Z');
    EXPECT_EQ(progress.EntryCount, 2);
}

TEST(Progress, TheSignatureTestIsExact)
{
    TempCourse course;
    QByteArray good(264, '\0');
    good[8] = 27;
    good.replace(9, 27, "Zelmarinta Vestorianika 1.0");
    QByteArray wrongLength = good;
    wrongLength[8] = 26;
    QByteArray wrongCase = good;
    wrongCase[9] = 'z';
    const std::pair<QByteArray, bool> cases[] = {
        {good, true}, {good.left(36), true}, {wrongLength, false}, {wrongCase, false},
        {good.left(30), false}, {QByteArray(), false},
    };
    for (const auto &[bytes, expected] : cases) {
        course.writeBytes("s.rep", bytes);
        EXPECT_EQ(hasProgressSignature("s.rep"), expected) << bytes.size();
    }
    EXPECT_FALSE(hasProgressSignature("missing.rep"));
}

TEST(Progress, ResetNeedsTheCatalogueFile)
{
    TempCourse course;
    ProgressState progress;
    EXPECT_THROW(resetProgress(progress, u'B'), CourseError);
}

} // namespace

#include "listening/FullDuplexDialog.h"
#include "sound/FullDuplexCheck.h"
#include "sound/VirtualAudioBackend.h"
#include "support/ModalAnswer.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"
#include "support/WaysOut.h"

#include "controls/PictureButton.h"
#include "core/CourseError.h"

#include <QDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// GIVEN the fixed files of the check: "Null.wav" (a second of silence) and "NullRec.wav" (an
// empty 22050 Hz 16-bit mono template).
class FullDuplexTest : public ::testing::Test {
protected:
    TempCourse course;
    VirtualAudioBackend card;

    void SetUp() override
    {
        writeWav(course.absolute("Null.wav"), 22050, 1, std::vector<qint16>(22050, 0));
        writeWav(course.absolute("NullRec.wav"), 22050, 1, {});
    }
};

struct CardCase {
    const char *name;
    bool input;
    bool fullDuplex;
    bool result;
    int warnings;
};

TEST_F(FullDuplexTest, TellsWhetherTheCardPlaysAndRecordsAtOnce)
{
    const std::vector<CardCase> cases = {
        {"full duplex", true, true, true, 0},
        {"half duplex", true, false, false, 1},
        {"no microphone", false, true, false, 1},
    };
    const QByteArray templateBytes = course.readBytes("NullRec.wav");
    for (const CardCase &c : cases) {
        card.setInputPresent(c.input);
        card.setFullDuplex(c.fullDuplex);
        SoundDevice player(card);
        player.FileName = QStringLiteral("Null.wav");
        SoundDevice recorder(card);
        recorder.FileName = QStringLiteral("NullRec.wav");
        int warnings = 0;

        const bool result = runFullDuplexCheck(player, recorder, [&] { ++warnings; });
        card.advance(2000);

        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(warnings, c.warnings) << c.name;
        EXPECT_FALSE(player.opened()) << c.name;
        EXPECT_FALSE(recorder.opened()) << c.name;
        EXPECT_EQ(card.openOutputs() + card.openInputs(), 0) << c.name;
        EXPECT_EQ(course.readBytes("NullRec.wav"), templateBytes) << c.name;
        EXPECT_TRUE(QDir::current().entryList({"*.tmp"}, QDir::Files).isEmpty()) << c.name;
    }
}

TEST_F(FullDuplexTest, AMissingTestSoundRaisesAndLeavesNoDeviceOpen)
{
    QFile::remove(course.absolute("NullRec.wav"));
    SoundDevice player(card);
    player.FileName = QStringLiteral("Null.wav");
    SoundDevice recorder(card);
    recorder.FileName = QStringLiteral("NullRec.wav");

    EXPECT_THROW(runFullDuplexCheck(player, recorder, [] {}), CourseError);
    EXPECT_EQ(card.openOutputs(), 0);
}

TEST_F(FullDuplexTest, TheDialogShowsItsWarningOnlyOnAHalfDuplexCard)
{
    FullDuplexDialog dialog(card);
    setFullDuplexDialog(&dialog);
    QString caption;
    QString text;
    ModalAnswerer answerer([&](QWidget *modal) {
        caption = modal->windowTitle();
        text = dialog.warningView->toPlainText();
        QTest::mouseClick(dialog.okButton, Qt::LeftButton);
    });

    EXPECT_TRUE(testFullDuplex());
    EXPECT_EQ(answerer.answered(), 0);

    card.setFullDuplex(false);
    EXPECT_FALSE(testFullDuplex());
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_EQ(caption, QStringLiteral("Внимание"));
    EXPECT_EQ(text, QStringLiteral("На вашем компьютере данное упражнение не \n"
                                   "может быть выполнено. Звуковая карта не \n"
                                   "поддерживает режим FullDuplex (невозможно \n"
                                   "одновременно воспроизводить и записывать).\n"));
    EXPECT_FALSE(dialog.playbackDevice->opened());
    EXPECT_FALSE(dialog.recordingDevice->opened());
    setFullDuplexDialog(nullptr);
}

TEST_F(FullDuplexTest, EveryWayOutOfTheWarningKeepsTheExerciseFromStarting)
{
    FullDuplexDialog dialog(card);
    setFullDuplexDialog(&dialog);
    card.setFullDuplex(false);
    for (const WayOut way : AllWaysOut) {
        answerNextModal([&](QWidget *modal) { leaveBy(way, modal, dialog.okButton); });
        EXPECT_FALSE(testFullDuplex()) << nameOf(way);
        EXPECT_FALSE(dialog.isVisible()) << nameOf(way);
        EXPECT_EQ(card.openOutputs() + card.openInputs(), 0) << nameOf(way);
    }
    setFullDuplexDialog(nullptr);
}

TEST_F(FullDuplexTest, TheDialogLooksAsDesigned)
{
    FullDuplexDialog dialog(card);

    EXPECT_EQ(dialog.size(), QSize(432, 213));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(0x79, 0xB8, 0xE4));
    EXPECT_EQ(dialog.textPanel->palette().color(QPalette::Window), QColor(0xCC, 0xCC, 0xCC));
    EXPECT_TRUE(dialog.warningView->isReadOnly());
    EXPECT_EQ(dialog.warningView->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(dialog.warningView->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(dialog.warningView->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(dialog.warningView->font().pixelSize(), 16);
    EXPECT_EQ(dialog.warningView->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(dialog.okButton->isDefault());
    EXPECT_EQ(dialog.okButton->modalResult(), QDialog::Accepted);
    EXPECT_EQ(dialog.playbackDevice->FileName, QStringLiteral("Null.wav"));
    EXPECT_EQ(dialog.recordingDevice->FileName, QStringLiteral("NullRec.wav"));
}

} // namespace

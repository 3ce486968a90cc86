#include "ReportCatalogue.h"

#include "controls/MnemonicText.h"
#include "controls/PictureButton.h"
#include "reports/ReportWindow.h"
#include "sound/VirtualAudioBackend.h"
#include "support/AccessibilityContract.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"
#include "support/WaysOut.h"

#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Alt and the letter of the button's caption, as the learner types it; returns the caption
// pressed.
QString pressCaptionLetter(ReportWindow &window, QAbstractButton *button)
{
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (label->buddy() != button)
            continue;
        const QString caption = withoutMnemonic(label->text());
        const QKeySequence letter = QKeySequence::mnemonic(label->text());
        if (letter.isEmpty())
            break;
        // The Cyrillic letter is typed with its text: QTest knows only Latin keys' texts.
        const Qt::Key key = letter[0].key();
        QTest::sendKeyEvent(QTest::Press, &window, key, QString(QChar(key)).toLower(), Qt::AltModifier);
        return caption;
    }
    ADD_FAILURE() << "the button's caption has no Alt letter";
    return {};
}

// The learner's recordings are heard from the report by a key, stopped by the same button,
// before another line is chosen, before the recording is deleted and whenever the window is
// left.
TEST(ReportWindow, ARecordingIsHeardByItsKeyAndStopsWhenTheWindowIsLeft)
{
    // GIVEN a report with two done recording exercises, on the virtual sound card
    TempCourse course;
    VirtualAudioBackend card;
    const Catalogue catalogue = catalogueOfKinds({{"Урок", 0}, {"Лексика", 2}, {"Перевод", 12}, {"Запись", 4}});
    ProgressState progress = progressFor(catalogue);
    course.writeBytes("Report/Ann/.keep", {});
    writeRampWav(course.absolute("Report/Ann/Ann3.wav"), 8000, 1, 8000);
    writeRampWav(course.absolute("Report/Ann/Ann4.wav"), 11025, 2, 11025);
    for (const int k : {3, 4}) {
        progress.Progress[k].setDone(true);
        progress.Progress[k].setSoundFile(QStringLiteral("Report\\Ann\\Ann%1.wav").arg(k));
    }
    ReportWindow window(card);
    window.fill(catalogue, progress);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.reportList->setCurrentRow(1);
    EXPECT_FALSE(window.listenButton->isEnabled()) << "a vocabulary drill records nothing";

    // WHEN the last line is chosen and Alt with the letter of "Прослушать" is pressed
    window.reportList->setCurrentRow(3);
    ASSERT_TRUE(window.listenButton->isEnabled());
    EXPECT_EQ(pressCaptionLetter(window, window.listenButton), QStringLiteral("Прослушать"));

    // THEN its recording plays at once, and the button offers to stop it
    ASSERT_TRUE(window.player->opened());
    EXPECT_EQ(window.player->FileName, QStringLiteral("Report\\Ann\\Ann4.wav"));
    card.advance(100);
    ASSERT_FALSE(card.outputs().empty());
    EXPECT_EQ(card.outputs().back().channels, 2);
    const std::vector<qint16> heard = soundHanded(card.outputs().back().samples);
    ASSERT_GE(heard.size(), 2000u);
    EXPECT_EQ(std::vector<qint16>(heard.begin(), heard.begin() + 2000), rampFrames(0, 1000, 2));
    EXPECT_EQ(window.listenButton->text(), QStringLiteral("Остановить"));
    EXPECT_TRUE(accessibilityProblems(&window).isEmpty()) << accessibilityProblems(&window).join("; ").toStdString();

    // WHEN the letter of "Остановить" is pressed THEN the sound stops
    EXPECT_EQ(pressCaptionLetter(window, window.listenButton), QStringLiteral("Остановить"));
    EXPECT_FALSE(window.player->opened());
    EXPECT_EQ(card.openOutputs(), 0);
    EXPECT_EQ(window.listenButton->text(), QStringLiteral("Прослушать"));

    // Choosing another line stops the sound; so does deleting the recording that plays.
    window.listenButton->click();
    window.reportList->setCurrentRow(2);
    EXPECT_FALSE(window.player->opened());
    window.listenButton->click();
    ASSERT_EQ(window.player->FileName, QStringLiteral("Report\\Ann\\Ann3.wav"));
    window.deleteSoundButton->click();
    EXPECT_FALSE(window.player->opened());
    EXPECT_FALSE(QFile::exists(course.absolute("Report/Ann/Ann3.wav")));
    EXPECT_FALSE(window.listenButton->isEnabled());

    // Leaving the window while a recording plays stops it and lets the sound card go.
    for (const WayOut way : AllWaysOut) {
        window.show();
        window.reportList->setCurrentRow(3);
        window.listenButton->click();
        ASSERT_EQ(card.openOutputs(), 1) << nameOf(way);
        leaveBy(way, &window, window.closeButton);
        EXPECT_FALSE(window.isVisible()) << nameOf(way);
        EXPECT_FALSE(window.player->opened()) << nameOf(way);
        EXPECT_EQ(card.openOutputs(), 0) << nameOf(way);
    }
}

} // namespace

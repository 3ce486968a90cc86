#include "listening/ListenTranslateWindow.h"
#include "listening/ListeningPaintArea.h"
#include "listening/SpeedBox.h"
#include "controls/FlatPictureButton.h"
#include "controls/ModalResult.h"
#include "controls/PictureCheckBox.h"
#include "sound/VirtualAudioBackend.h"
#include "support/AccessibilityContract.h"
#include "support/RecordingHelpDesk.h"
#include "support/WaysOut.h"
#include "TextWorkCourse.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The six-line text in the wait kind with the text allowed, recorded into rec5.wav.
ListenTranslateSettings waitKindSettings()
{
    ListenTranslateSettings settings = listenTranslateSettings(QStringLiteral("rec5.wav"));
    settings.textAllowed = true;
    settings.waitOffered = true;
    settings.helpTopic = 140;
    return settings;
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() / 2, control->height() / 2));
}

// The window on the six-line text in the wait kind with the text allowed: its buttons drive
// one run and its widgets show what the run is doing.
TEST(ListenTranslateWindowTest, ButtonsDriveTheRunAndTheWidgetsFollowIt)
{
    TempCourse course;
    writeTextWork(course);
    writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
    VirtualAudioBackend card;
    const ListenTranslateSettings settings = waitKindSettings();

    ListenTranslateWindow window(card, settings);
    window.fitInto(QRect(0, 0, 800, 500));
    window.prepareText();
    window.show();
    EXPECT_EQ(window.size(), QSize(800, 508)); // 800 × 280 / 520 = 431 over the 77 px bar
    EXPECT_EQ(window.startButton->text(), QStringLiteral("Переводить"));
    EXPECT_FALSE(window.stopButton->isEnabled());
    EXPECT_FALSE(window.translationBox->ownEnabled());
    EXPECT_EQ(accessibilityProblems(&window), QStringList());

    click(window.textBox);
    ASSERT_TRUE(window.textBox->isChecked());
    click(window.startButton);
    EXPECT_FALSE(window.startButton->isEnabled());
    EXPECT_FALSE(window.exitButton->isEnabled());
    EXPECT_TRUE(window.stopButton->isEnabled());
    EXPECT_FALSE(window.textBox->ownEnabled());
    EXPECT_TRUE(window.soundFollowTimer->isActive());
    EXPECT_TRUE(window.textArea->isVisible());
    EXPECT_FALSE(window.staticPicture->isVisible());
    EXPECT_TRUE(window.changingPicture->isVisible());

    card.advance(1100);
    window.followSound();
    EXPECT_EQ(accessibilityProblems(&window), QStringList());
    // A screen reader reads the whole text, the current syntagm selected.
    QAccessibleInterface *text = QAccessible::queryAccessibleInterface(window.textArea);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(text->textInterface(), nullptr);
    EXPECT_EQ(text->role(), QAccessible::EditableText);
    EXPECT_TRUE(text->state().readOnly);
    EXPECT_TRUE(text->state().multiLine);
    EXPECT_EQ(text->text(QAccessible::Name), QStringLiteral("Текст"));
    int start = 0;
    int end = 0;
    text->textInterface()->selection(0, &start, &end);
    EXPECT_EQ(text->textInterface()->text(start, end), QStringLiteral("Two."));
    EXPECT_GT(text->textInterface()->characterCount(), end) << "the whole text, not the current line";

    click(window.pauseButton);
    EXPECT_EQ(window.pauseButton->text(), QStringLiteral("Далее"));
    EXPECT_FALSE(window.soundFollowTimer->isActive());
    EXPECT_FALSE(window.waitButton->isEnabled());
    click(window.pauseButton);
    click(window.waitButton);
    EXPECT_EQ(window.waitButton->text(), QStringLiteral("Далее"));
    EXPECT_FALSE(window.pauseButton->isEnabled());

    RecordingHelpDesk help;
    click(window.helpButton);
    ASSERT_EQ(help.requests.size(), 1);
    EXPECT_EQ(help.requests[0].toInt(), 140);

    click(window.stopButton);
    card.advance(50);
    EXPECT_TRUE(window.startButton->isEnabled());
    EXPECT_TRUE(window.exitButton->isEnabled());
    EXPECT_FALSE(window.soundFollowTimer->isActive());
    EXPECT_TRUE(window.staticPicture->isVisible());
    EXPECT_TRUE(readWavContents(course.absolute("rec5.wav")).readable);

    click(window.exitButton);
    EXPECT_EQ(window.result(), mrCancel);
    EXPECT_FALSE(window.player->opened());
    EXPECT_FALSE(window.recorder->opened());
}

// The speed box slows the course sound only: the learner's recording stays real time, and a
// run's first recording lasts as long as the slower sound needs.
TEST(ListenTranslateWindowTest, TheSpeedBoxSlowsTheCourseSoundOnly)
{
    TempCourse course;
    writeTextWork(course);
    writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
    VirtualAudioBackend card;
    ListenTranslateWindow window(card, waitKindSettings());
    window.fitInto(QRect(0, 0, 800, 500));
    window.prepareText();
    window.show();

    window.speedBox->spinBox->setFocus();
    QTest::keyClick(window.speedBox->spinBox, Qt::Key_PageDown);
    EXPECT_EQ(window.speedBox->percent(), 50);
    QTest::keyClick(window.speedBox->spinBox, Qt::Key_Up);
    EXPECT_EQ(window.player->speedPercent(), 55);
    EXPECT_EQ(window.recorder->speedPercent(), 100);
    EXPECT_GE(window.speedBox->geometry().top(), 0);
    EXPECT_LE(window.speedBox->geometry().right(), window.navigationBar->width());

    // Slower during a run, the first recording is replaced by one with a later end.
    int recorded = 0;
    QObject::connect(window.recorder, &SoundDevice::OnNotify, [&] { ++recorded; });
    click(window.startButton);
    card.advance(100);
    QTest::keyClick(window.speedBox->spinBox, Qt::Key_Down);
    card.advance(50);
    EXPECT_EQ(recorded, 1);
    EXPECT_TRUE(window.recorder->recording());
    click(window.stopButton);
}

// While the learner is recorded the window shows "Запись" and the level meter: it rises on a
// tone fed to the microphone and stays down on silence, which after five seconds is told.
TEST(ListenTranslateWindowTest, TheMicrophoneIsVisiblyOn)
{
    TempCourse course;
    writeTextWork(course);
    writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
    VirtualAudioBackend card;
    bool tone = true;
    card.setMicrophone([&](qint64 frame, int) {
        return tone ? qint16(std::lround(16000 * std::sin(2 * M_PI * 1000 * double(frame) / 22050))) : qint16(0);
    });
    ListenTranslateWindow window(card, waitKindSettings());
    window.fitInto(QRect(0, 0, 800, 500));
    window.prepareText();
    window.show();
    EXPECT_TRUE(window.microphoneTimer->isActive());
    EXPECT_LE(window.microphoneTimer->interval(), 100);
    window.showMicrophone();
    EXPECT_FALSE(window.recordingMark->isVisible());
    EXPECT_FALSE(window.levelMeter->isVisible());

    click(window.startButton);
    const auto look = [&](int ms) {
        for (int t = 0; t < ms; t += 50) {
            card.advance(50);
            window.showMicrophone();
        }
    };
    look(200);
    ASSERT_TRUE(window.recorder->recording());
    EXPECT_TRUE(window.recordingMark->isVisible());
    EXPECT_TRUE(window.levelMeter->isVisible());
    EXPECT_EQ(window.levelMeter->value(), -6);
    EXPECT_FALSE(window.unheardWarning->isVisible());
    EXPECT_EQ(accessibilityProblems(&window), QStringList());

    tone = false;
    look(200);
    EXPECT_EQ(window.levelMeter->value(), window.levelMeter->minimum());
    click(window.stopButton);
    card.advance(50);
    window.showMicrophone();
    EXPECT_FALSE(window.recordingMark->isVisible());
    EXPECT_FALSE(window.levelMeter->isVisible());

    click(window.startButton);
    look(4900);
    ASSERT_TRUE(window.recorder->recording());
    EXPECT_FALSE(window.unheardWarning->isVisible());
    look(200);
    EXPECT_TRUE(window.unheardWarning->isVisible());
    EXPECT_TRUE(window.levelMeter->isVisible()) << "the recording goes on";
}

// Esc, "Выход" and the close box each leave the idle window with Cancel, its devices closed
// and no recording made.
TEST(ListenTranslateWindowTest, EveryWayOutLeavesWithCancel)
{
    TempCourse course;
    writeTextWork(course);
    writeWav(course.absolute("TSBegin.wav"), 22050, 1, {});
    VirtualAudioBackend card;
    for (const WayOut way : AllWaysOut) {
        ListenTranslateWindow window(card, waitKindSettings());
        window.fitInto(QRect(0, 0, 800, 500));
        window.prepareText();
        window.show();
        leaveBy(way, &window, window.exitButton);
        EXPECT_TRUE(window.isHidden()) << nameOf(way);
        EXPECT_EQ(window.result(), mrCancel) << nameOf(way);
        EXPECT_EQ(card.openOutputs() + card.openInputs(), 0) << nameOf(way);
        EXPECT_FALSE(QFile::exists(course.absolute("rec5.wav"))) << nameOf(way);
    }
}

} // namespace

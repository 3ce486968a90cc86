#include "controls/FlatPictureButton.h"
#include "controls/MnemonicText.h"
#include "controls/ModalResult.h"
#include "controls/PictureCheckBox.h"
#include "listening/SpeedBox.h"
#include "listening/SyntagmTextView.h"
#include "listening/TextWorkWindow.h"
#include "listening/WaveformStrip.h"
#include "sound/VirtualAudioBackend.h"
#include "support/AccessibilityContract.h"
#include "support/ModalAnswer.h"
#include "ui/MessageWindow.h"
#include "support/WaysOut.h"

#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// GIVEN the text of the sample course's first lesson, opened as the dispatcher opens it
// for a learner without a recording, on the virtual sound clock.
class TextWorkWindowTest : public ::testing::Test {
protected:
    QString previousDir = QDir::currentPath();
    VirtualAudioBackend card;
    std::unique_ptr<TextWorkWindow> window;
    std::unique_ptr<ModalScript> noMessages;

    void SetUp() override
    {
        ASSERT_TRUE(QDir::setCurrent(QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR)));
        noMessages = std::make_unique<ModalScript>(QList<std::function<void(QWidget *)>>{});
        window = openWindow();
    }

    std::unique_ptr<TextWorkWindow> openWindow(const QString &learnerRecording = {})
    {
        auto opened = std::make_unique<TextWorkWindow>(
            card, TextWorkSources{"____Data\\lesson1\\text.wav", learnerRecording, "____Data\\lesson1\\text.txt",
                                  "____Data\\lesson1\\textru.txt", "____Data\\lesson1\\textseg.txt",
                                  "____Data\\lesson1\\textpic.txt", "____Data\\"});
        opened->fitInto(QRect(0, 0, 775, 560));
        opened->startRun();
        opened->show();
        QApplication::processEvents();
        return opened;
    }

    void TearDown() override
    {
        window.reset();
        EXPECT_FALSE(noMessages->overrun()) << "the course files read without a message";
        noMessages.reset();
        QDir::setCurrent(previousDir);
    }

    // The window's timer, on virtual time.
    void run(int ms)
    {
        for (int t = 0; t < ms; t += 50) {
            card.advance(50);
            window->followSound();
        }
    }

    const Segment &timing(int line) { return window->session().files().courseTiming[line]; }
};

// WHEN both texts are shown and "С начала" plays, THEN at the middle of a line's timing
// that line is highlighted in both texts, and the separator before a paragraph is passed over.
TEST_F(TextWorkWindowTest, TheHighlightFollowsTheVoice)
{
    QTest::mouseClick(window->textBox, Qt::LeftButton);
    QTest::mouseClick(window->translationBox, Qt::LeftButton);
    QTest::mouseClick(window->playAllButton, Qt::LeftButton);
    ASSERT_TRUE(window->session().playing());

    struct Moment {
        int line;
        const char *text;
        const char *translation;
    };
    int heard = timing(2).startMs;
    for (const Moment &m : {Moment{2, "It was late in the evening", "Был поздний вечер,"},
                            Moment{3, "when Tom Baker arrived", "когда Том Бейкер приехал"},
                            Moment{7, "\"Good evening, sir,\"", "«Добрый вечер, сэр, —"}}) {
        SCOPED_TRACE(m.line);
        const int middle = (timing(m.line).startMs + timing(m.line).endMs) / 2;
        run(middle - heard);
        heard = middle;
        EXPECT_EQ(window->lineSlider->value(), m.line);
        EXPECT_EQ(window->textView->position(), m.line - 1);
        EXPECT_EQ(window->textView->currentSyntagmText(), QString::fromUtf8(m.text));
        EXPECT_EQ(window->translationView->currentSyntagmText(), QString::fromUtf8(m.translation));
    }
    EXPECT_FALSE(window->playAllButton->isEnabled());
    EXPECT_TRUE(window->stopButton->isEnabled());
}

// Space on the slider marks, a check box acts on the state it had before the click, Esc
// leaves with Cancel.
TEST_F(TextWorkWindowTest, KeysAndSwitches)
{
    ASSERT_TRUE(window->lineSlider->hasFocus());
    EXPECT_FALSE(window->learnerBox->isEnabled()) << "no learner recording";
    EXPECT_EQ(window->helpContext(), 130);

    window->lineSlider->setValue(3);
    QTest::keyClick(window->lineSlider, Qt::Key_Space);
    EXPECT_EQ(withoutMnemonic(window->markerCaption->text()), QStringLiteral("Окончание"));
    EXPECT_FALSE(QKeySequence::mnemonic(window->markerCaption->text()).isEmpty()) << "a new caption keeps an Alt letter";
    window->lineSlider->setValue(5);
    QTest::keyClick(window->lineSlider, Qt::Key_Space);
    EXPECT_EQ(withoutMnemonic(window->markerCaption->text()), QStringLiteral("Начало"));
    EXPECT_EQ(window->textView->nBegin(), 2);
    EXPECT_EQ(window->textView->nEnd(), 4);

    // The box starts checked with the text hidden: the first click shows the text.
    QTest::mouseClick(window->textBox, Qt::LeftButton);
    EXPECT_TRUE(window->textView->isVisible());
    EXPECT_FALSE(window->staticPicture->isVisible());
    EXPECT_FALSE(window->textBox->isChecked());
    QTest::mouseClick(window->textBox, Qt::LeftButton);
    EXPECT_FALSE(window->textView->isVisible());
    EXPECT_TRUE(window->textBox->isChecked());

    QTest::keyClick(window->lineSlider, Qt::Key_Escape);
    EXPECT_EQ(window->result(), mrCancel);
    EXPECT_TRUE(window->isHidden());
}

// F7 plays the current line at once, not after Qt's animated click, and an Alt letter acts as
// soon; when the sound server dies during a playback, the window is idle again a second later
// and tells the learner.
TEST_F(TextWorkWindowTest, AKeyPlaysAtOnceAndALostDeviceIsTold)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->lineSlider->setValue(2);
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_TRUE(window->session().playing());
    EXPECT_TRUE(window->stopButton->isEnabled());

    // So does the Alt letter of the caption under "Стоп".
    const auto labels = window->findChildren<QLabel *>();
    const auto stopCaption =
        std::find_if(labels.begin(), labels.end(), [&](QLabel *label) { return label->buddy() == window->stopButton; });
    ASSERT_NE(stopCaption, labels.end());
    // QTest types Latin letters only: the caption's Cyrillic letter arrives as Qt's shortcut
    // map would deliver it.
    QShortcutEvent stopKey(QKeySequence::mnemonic((*stopCaption)->text()), 0);
    QApplication::sendEvent(*stopCaption, &stopKey);
    EXPECT_FALSE(window->session().playing());
    card.advance(1); // the stopped playback's notification
    window->lineSlider->setValue(2);
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(window->session().playing());

    QString told;
    noMessages = std::make_unique<ModalScript>(QList<std::function<void(QWidget *)>>{[&](QWidget *modal) {
        if (auto *message = qobject_cast<MessageWindow *>(modal))
            told = message->shownText();
        modal->close();
    }});
    card.stopServer();
    run(1050);
    EXPECT_EQ(told, QStringLiteral("Нет устройства воспроизведения звука"));
    EXPECT_FALSE(window->session().playing());
    EXPECT_TRUE(window->playLineButton->isEnabled());
    EXPECT_FALSE(window->stopButton->isEnabled());
}

// Tab and the Alt letter of "Скорость" reach the speed box, whose arrows go in steps of 5 %
// down to 50 %; the line then plays in twice its time, the highlight on it until its end.
TEST_F(TextWorkWindowTest, TheSpeedBoxSlowsTheLine)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_FALSE(QKeySequence::mnemonic(window->speedBox->caption->text()).isEmpty());
    EXPECT_EQ(window->speedBox->caption->buddy(), window->speedBox->spinBox);
    for (int i = 0; i < 20 && !window->speedBox->spinBox->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(window->speedBox->spinBox->hasFocus());
    const QWidget *focusMark = window->findChild<QWidget *>("focusMark");
    EXPECT_TRUE(focusMark->isVisible());
    EXPECT_TRUE(focusMark->geometry().contains(
        QRect(window->speedBox->spinBox->mapTo(window->bottomBar, QPoint(0, 0)), window->speedBox->spinBox->size())));
    QTest::keyClick(window->speedBox->spinBox, Qt::Key_Down);
    EXPECT_EQ(window->speedBox->percent(), 95);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(window->speedBox->spinBox, Qt::Key_Down);
    EXPECT_EQ(window->speedBox->percent(), 50);

    window->lineSlider->setValue(3);
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(window->session().playing());
    const int length = timing(3).endMs - timing(3).startMs;
    run(2 * length - 100);
    EXPECT_TRUE(window->session().playing());
    EXPECT_EQ(window->lineSlider->value(), 3);
    run(150);
    EXPECT_FALSE(window->session().playing());
}

// With the learner's recording and its cue file, F11 compares the current line: the course's
// at the speed set, then the learner's at its own; the strip under the slider shows both lines,
// named for a screen reader and out of the Tab chain, its mark on the line now heard.
TEST_F(TextWorkWindowTest, F11ComparesTheLineSlowingOnlyTheCourse)
{
    QTemporaryDir learner;
    const QString recording = learner.filePath(QStringLiteral("user5.wav"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("____Data/lesson1/text.wav"), recording));
    ASSERT_TRUE(QFile::copy(QStringLiteral("____Data/lesson1/textseg.txt"), learner.filePath(QStringLiteral("user5.txt"))));
    window = openWindow(recording);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QAccessibleInterface *button = QAccessible::queryAccessibleInterface(window->compareButton);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Сравнить"));
    QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(window->waveformStrip);
    EXPECT_EQ(strip->text(QAccessible::Name), QStringLiteral("Звук фрагмента"));
    EXPECT_EQ(window->waveformStrip->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(window->waveformStrip->isVisible());

    window->speedBox->spinBox->setValue(50);
    window->lineSlider->setValue(3);
    EXPECT_TRUE(window->waveformStrip->learnerRowShown());
    QTest::keyClick(window.get(), Qt::Key_F11);
    ASSERT_TRUE(window->session().comparing());
    const int length = timing(3).endMs - timing(3).startMs;
    run(2 * length - 100);
    EXPECT_FALSE(window->session().learnerHeard());
    EXPECT_EQ(window->waveformStrip->markRow(), 0);
    EXPECT_GT(window->waveformStrip->markColumn(), 0);
    run(150);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->session().learnerHeard(); }, 2000));
    run(length - 100);
    EXPECT_TRUE(window->session().playing());
    EXPECT_EQ(window->waveformStrip->markRow(), 1);
    run(150);
    EXPECT_FALSE(window->session().playing()) << "the learner's line is never slowed";
    EXPECT_EQ(window->lineSlider->value(), 3);
    EXPECT_TRUE(window->compareButton->isEnabled());
}

// A screen reader finds every control named as drawn, the boxes' states as drawn, and the
// whole text in the text controls, before and after the texts are shown.
TEST_F(TextWorkWindowTest, TheAccessibilityContractHolds)
{
    EXPECT_EQ(accessibilityProblems(window.get()), QStringList());
    QTest::mouseClick(window->textBox, Qt::LeftButton);
    QTest::mouseClick(window->translationBox, Qt::LeftButton);
    EXPECT_EQ(accessibilityProblems(window.get()), QStringList());
    QAccessibleInterface *text = QAccessible::queryAccessibleInterface(window->textView);
    ASSERT_NE(text->textInterface(), nullptr);
    EXPECT_TRUE(text->textInterface()->text(0, text->textInterface()->characterCount())
                    .contains(QStringLiteral("It was late in the evening")));
    EXPECT_FALSE(window->changingPicture->accessibleDescription().isEmpty()) << "the picture's file name";
}

// Esc, "Выход" and the close box each leave with Cancel, during a playback too, which stops.
TEST_F(TextWorkWindowTest, EveryWayOutLeavesWithCancel)
{
    for (const WayOut way : AllWaysOut) {
        std::unique_ptr<TextWorkWindow> leaving = openWindow();
        QTest::mouseClick(leaving->playAllButton, Qt::LeftButton);
        ASSERT_TRUE(leaving->session().playing());
        leaveBy(way, leaving.get(), leaving->exitButton);
        EXPECT_TRUE(leaving->isHidden()) << nameOf(way);
        EXPECT_EQ(leaving->result(), mrCancel) << nameOf(way);
        leaving.reset();
        EXPECT_EQ(card.openOutputs(), 0) << nameOf(way);
    }
}

// Every key a control's tooltip promises ("Показывать текст (F2)", "Начало (Пробел)",
// "Выход (Esc)") acts on that control when pressed in the window.
TEST_F(TextWorkWindowTest, EveryAdvertisedKeyActs)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QRegularExpression promise(QStringLiteral("\\(([^()]+)\\)$"));
    QList<QAbstractButton *> controls;
    // Controls on show: the comment's close button promises Esc only while a comment is open.
    for (QAbstractButton *control : window->findChildren<QAbstractButton *>()) {
        if (promise.match(control->toolTip()).hasMatch() && control->isVisibleTo(window.get()))
            controls << control;
    }
    // Esc leaves the window: it is pressed last.
    const auto leaves = [](QAbstractButton *control) { return control->toolTip().endsWith(QStringLiteral("(Esc)")); };
    std::stable_sort(controls.begin(), controls.end(),
                     [&](QAbstractButton *a, QAbstractButton *b) { return !leaves(a) && leaves(b); });
    ASSERT_EQ(controls.size(), 12); // three switches, seven F keys, the marker's Space, Esc

    for (QAbstractButton *control : controls) {
        const QString key = promise.match(control->toolTip()).captured(1);
        SCOPED_TRACE(control->toolTip().toStdString());
        // Each key acts on an idle window: what the key before started is stopped first.
        if (window->session().playing()) {
            QTest::mouseClick(window->stopButton, Qt::LeftButton);
            run(50);
        }
        // A control the idle window disables (Стоп, Цикл) acts once enabled: its key is wired.
        control->setEnabled(true);
        QSignalSpy clicks(control, &QAbstractButton::clicked);
        const QKeySequence sequence = key == QStringLiteral("Пробел") ? QKeySequence(Qt::Key_Space) : QKeySequence(key);
        ASSERT_FALSE(sequence.isEmpty());
        const QString markerBefore = window->markerCaption->text();
        QWidget *focus = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(focus, Qt::Key(sequence[0].key()), sequence[0].keyboardModifiers());
        if (key == QStringLiteral("Пробел")) {
            // Space marks through the window, not by clicking the button.
            EXPECT_NE(window->markerCaption->text(), markerBefore);
            continue;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !clicks.isEmpty(); }, 1000));
        window->lineSlider->setEnabled(true);
        window->lineSlider->setFocus();
    }
    EXPECT_TRUE(window->isHidden()) << "Esc left the window";
}

} // namespace

// The window takes the area's width when its panels' proportions then fit the area's
// height, otherwise the area's height (also where the width would make it too high).
TEST(TextWorkWindowFit, FillsTheClientAreaAlongOneDirection)
{
    struct Case {
        QRect area;
        QRect window;
    };
    for (const Case &c : {Case{{0, 0, 775, 640}, {0, 33, 775, 573}},
                          Case{{0, 0, 775, 560}, {12, 0, 750, 560}},
                          Case{{10, 20, 1920, 1000}, {186, 20, 1567, 1000}},
                          Case{{100, 50, 2000, 600}, {687, 50, 825, 600}}}) {
        SCOPED_TRACE(c.area.width());
        EXPECT_EQ(TextWorkWindow::fittedGeometry(c.area), c.window);
    }
}

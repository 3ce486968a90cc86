#include "controls/PictureButton.h"
#include "support/ModalAnswer.h"
#include "support/WaysOut.h"
#include "ui/MessageWindow.h"

#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(MessageWindow, IconGroupOfTheFlagChoosesTheIcon)
{
    const std::pair<int, int> cases[] = {
        {16, 0}, {32, 1}, {48, 2}, {64, 3},   // stop, question, exclamation, information
        {0, 3}, {80, 3}, {0xF0, 3},           // no group or a group above 4: information
        {16 | 4, 0}, {48 | 0x100, 2},         // other bits are ignored
    };
    for (const auto &[flag, index] : cases)
        EXPECT_EQ(MessageWindow::iconIndexForFlag(flag), index) << flag;
}

TEST(MessageWindow, LayoutKeepsItsStatedSizes)
{
    MessageWindow window;
    EXPECT_EQ(window.size(), QSize(379, 211));
    EXPECT_EQ(window.okButton->geometry(), QRect(166, 166, 41, 36));
    EXPECT_EQ(window.messageText->geometry(), QRect(116, 40, 240, 71));
    EXPECT_EQ(window.iconLabel->geometry(), QRect(36, 49, 32, 32));
    EXPECT_TRUE(window.okButton->isDefault());
}

TEST(MessageWindow, ReuseShowsOnlyTheNewTextAndBreaksLinesAtCarriageReturns)
{
    MessageWindow window;
    window.prepare(QStringLiteral("Первое сообщение"), QStringLiteral("Ошибка"), 16);
    window.prepare(QStringLiteral("Строка 1\rСтрока 2"), QStringLiteral("Внимание"), 48);
    EXPECT_EQ(window.shownText(), QStringLiteral("Строка 1\nСтрока 2"));
    EXPECT_EQ(window.messageText->document()->blockCount(), 2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(window.shownIconIndex(), 2);
}

TEST(MessageWindow, EmptyTextAndCaptionStillShowIconAndButton)
{
    MessageWindow window;
    window.prepare(QString(), QString(), 0);
    EXPECT_TRUE(window.shownText().isEmpty());
    EXPECT_TRUE(window.windowTitle().trimmed().isEmpty());
    EXPECT_FALSE(window.windowTitle().isEmpty()) << "Qt would show the application name";
    ASSERT_FALSE(window.iconLabel->pixmap().isNull());
    EXPECT_EQ(window.iconLabel->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(window.shownIconIndex(), 3);
}

TEST(MessageWindow, ShowMessageBoxUsesTheRegisteredWindowAndClosesOnOk)
{
    // GIVEN the message window of start-up
    MessageWindow window;
    setMessageWindow(&window);
    QStringList seen;
    ModalAnswerer answerer([&](QWidget *modal) {
        seen << modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Return); // Enter presses the default button
    });

    // WHEN two messages are shown in a row
    showMessageBox(QStringLiteral("Нет ни одного имени"), QStringLiteral("Ошибка"), 16);
    showMessageBox(QStringLiteral("Удалять больше нечего"), QStringLiteral("Сообщение"), 64);

    // THEN the same window showed both and was closed by its button each time
    EXPECT_EQ(seen, QStringList({QStringLiteral("Ошибка"), QStringLiteral("Сообщение")}));
    EXPECT_EQ(window.shownText(), QStringLiteral("Удалять больше нечего"));
    EXPECT_FALSE(window.isVisible());
    setMessageWindow(nullptr);
}

TEST(MessageWindow, TheOkButtonIsFoundAndPressedByItsAccessibleName)
{
    MessageWindow window;
    setMessageWindow(&window);
    bool pressed = false;
    answerNextModal([&](QWidget *modal) {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(modal->findChild<PictureButton *>("okButton"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("OK"));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        pressed = true;
    });
    showMessageBox(QStringLiteral("Текст"), QStringLiteral("Ошибка"), 16);
    EXPECT_TRUE(pressed);
    setMessageWindow(nullptr);
}

TEST(MessageWindow, EveryWayOutClosesAMessage)
{
    MessageWindow window;
    setMessageWindow(&window);
    for (const WayOut way : AllWaysOut) {
        answerNextModal([&](QWidget *modal) { leaveBy(way, modal, window.okButton); });
        showMessageBox(QStringLiteral("Текст"), QStringLiteral("Ошибка"), 16);
        EXPECT_FALSE(window.isVisible()) << nameOf(way);
    }
    setMessageWindow(nullptr);
}

TEST(MessageWindow, AQuestionIsAnsweredNoByEveryWayButDa)
{
    // GIVEN the message window asking a question
    MessageWindow window;
    setMessageWindow(&window);
    struct Case {
        const char *what;
        std::function<void(QWidget *)> answer;
        bool yes;
    };
    const Case cases[] = {
        {"Enter", [](QWidget *modal) { pressIn(modal, Qt::Key_Return); }, false},
        {"Esc", [&](QWidget *modal) { leaveBy(WayOut::Esc, modal, nullptr); }, false},
        {"Нет", [&](QWidget *modal) { leaveBy(WayOut::CancelButton, modal, window.noButton); }, false},
        {"close box", [&](QWidget *modal) { leaveBy(WayOut::CloseBox, modal, nullptr); }, false},
        {"Да", [&](QWidget *) { QTest::mouseClick(window.yesButton, Qt::LeftButton); }, true},
    };
    for (const Case &c : cases) {
        bool shownAsQuestion = false;
        answerNextModal([&](QWidget *modal) {
            shownAsQuestion = window.yesButton->isVisible() && window.noButton->isVisible() &&
                              !window.okButton->isVisible() && window.shownIconIndex() == 1;
            c.answer(modal);
        });
        // WHEN it is answered
        const bool yes = askMessageBox(QStringLiteral("Начать заново?"), QStringLiteral("Вопрос"));
        // THEN only "Да" says yes
        EXPECT_EQ(yes, c.yes) << c.what;
        EXPECT_TRUE(shownAsQuestion) << c.what;
    }

    // A message after the question has its one button again.
    window.prepare(QStringLiteral("Текст"), QStringLiteral("Ошибка"), 16);
    EXPECT_FALSE(window.okButton->isHidden());
    EXPECT_TRUE(window.okButton->isDefault());
    EXPECT_TRUE(window.yesButton->isHidden());
    EXPECT_TRUE(window.noButton->isHidden());
    setMessageWindow(nullptr);
}

// Alt with the caption's letter answers at once, as every other button's letter acts.
TEST(MessageWindow, TheLettersOfDaAndNetAnswerAtOnce)
{
    MessageWindow window;
    setMessageWindow(&window);
    for (const bool yes : {true, false}) {
        bool closedAtOnce = false;
        answerNextModal([&](QWidget *modal) {
            const QList<QLabel *> labels = modal->findChildren<QLabel *>();
            QWidget *button = yes ? window.yesButton : window.noButton;
            const auto caption =
                std::find_if(labels.begin(), labels.end(), [&](QLabel *label) { return label->buddy() == button; });
            ASSERT_NE(caption, labels.end());
            const QKeySequence letter = QKeySequence::mnemonic((*caption)->text());
            ASSERT_FALSE(letter.isEmpty());
            // The Cyrillic letter is typed with its text: QTest knows only Latin keys' texts.
            const Qt::Key key = letter[0].key();
            // A letter is a shortcut of the active window only: on a busy machine the window
            // may not be active yet when it is first seen.
            modal->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
            QTest::sendKeyEvent(QTest::Press, modal, key, QString(QChar(key)).toLower(), Qt::AltModifier);
            closedAtOnce = !modal->isVisible();
            if (!closedAtOnce)
                modal->close();
        });
        EXPECT_EQ(askMessageBox(QStringLiteral("Начать заново?"), QStringLiteral("Вопрос")), yes) << yes;
        EXPECT_TRUE(closedAtOnce) << yes;
    }
    setMessageWindow(nullptr);
}

} // namespace

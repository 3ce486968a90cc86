#include "controls/BtnImgD1KL.h"
#include "ui/DlgMessage.h"
#include "support/ModalAnswer.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

TEST(DlgMessage, IconGroupOfTheFlagChoosesTheIcon)
{
    const std::pair<int, int> cases[] = {
        {16, 0}, {32, 1}, {48, 2}, {64, 3},   // stop, question, exclamation, information
        {0, 3}, {80, 3}, {0xF0, 3},           // no group or a group above 4: information
        {16 | 4, 0}, {48 | 0x100, 2},         // other bits are ignored
    };
    for (const auto &[flag, index] : cases)
        EXPECT_EQ(TDlgxMessage::iconIndexForFlag(flag), index) << flag;
}

TEST(DlgMessage, LayoutKeepsItsStatedSizes)
{
    TDlgxMessage window;
    EXPECT_EQ(window.size(), QSize(379, 211));
    EXPECT_EQ(window.BtnOk->geometry(), QRect(166, 166, 41, 36));
    EXPECT_EQ(window.TextBox->geometry(), QRect(116, 40, 240, 71));
    EXPECT_EQ(window.IconImage->geometry(), QRect(36, 49, 32, 32));
    EXPECT_TRUE(window.BtnOk->isDefault());
}

TEST(DlgMessage, ReuseShowsOnlyTheNewTextAndBreaksLinesAtCarriageReturns)
{
    TDlgxMessage window;
    window.prepare(QStringLiteral("Первое сообщение"), QStringLiteral("Ошибка"), 16);
    window.prepare(QStringLiteral("Строка 1\rСтрока 2"), QStringLiteral("Внимание"), 48);
    EXPECT_EQ(window.shownText(), QStringLiteral("Строка 1\nСтрока 2"));
    EXPECT_EQ(window.TextBox->document()->blockCount(), 2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(window.shownIconIndex(), 2);
}

TEST(DlgMessage, EmptyTextAndCaptionStillShowIconAndButton)
{
    TDlgxMessage window;
    window.prepare(QString(), QString(), 0);
    EXPECT_TRUE(window.shownText().isEmpty());
    EXPECT_TRUE(window.windowTitle().isEmpty());
    ASSERT_FALSE(window.IconImage->pixmap().isNull());
    EXPECT_EQ(window.IconImage->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(window.shownIconIndex(), 3);
}

TEST(DlgMessage, ShowMessageBoxUsesTheRegisteredWindowAndClosesOnOk)
{
    // GIVEN the message window of start-up
    TDlgxMessage window;
    setMessageWindow(&window);
    QStringList seen;
    ModalAnswerer answerer([&](QWidget *modal) {
        seen << modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Return); // Enter presses the default button
    });

    // WHEN two messages are shown in a row
    ShowMessageBox(QStringLiteral("Нет ни одного имени"), QStringLiteral("Ошибка"), 16);
    ShowMessageBox(QStringLiteral("Удалять больше нечего"), QStringLiteral("Сообщение"), 64);

    // THEN the same window showed both and was closed by its button each time
    EXPECT_EQ(seen, QStringList({QStringLiteral("Ошибка"), QStringLiteral("Сообщение")}));
    EXPECT_EQ(window.shownText(), QStringLiteral("Удалять больше нечего"));
    EXPECT_FALSE(window.isVisible());
    setMessageWindow(nullptr);
}

TEST(DlgMessage, TheOkButtonIsFoundAndPressedByItsAccessibleName)
{
    TDlgxMessage window;
    setMessageWindow(&window);
    bool pressed = false;
    answerNextModal([&](QWidget *modal) {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(modal->findChild<TBtnImgD1KL *>());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("OK"));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        pressed = true;
    });
    ShowMessageBox(QStringLiteral("Текст"), QStringLiteral("Ошибка"), 16);
    EXPECT_TRUE(pressed);
    setMessageWindow(nullptr);
}

} // namespace

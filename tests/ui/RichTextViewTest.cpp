#include "ui/RichTextView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void sendMouse(QWidget *target, QEvent::Type type, QPoint point, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, target->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(RichTextViewTest, ALongTextScrollsByKeysAndBarSelectsByDraggingCopiesAndIsReadAloud)
{
    // GIVEN a view 300 x 200 of 20,000 numbered lines
    QString plain;
    for (int i = 0; i < 20000; ++i)
        plain += QStringLiteral("Строка %1\n").arg(i);
    RichTextView view;
    view.setAccessibleName(QStringLiteral("Описание"));
    view.resize(300, 200);
    view.show();
    view.setText(RichText::fromPlainText(plain));
    const int last = view.text().paragraphCount() - 1;

    // WHEN End is pressed THEN the last paragraph ends at the view's bottom; Home goes back
    QTest::keyClick(&view, Qt::Key_End);
    const QRect end = view.paragraphRect(last);
    ASSERT_FALSE(end.isNull());
    EXPECT_EQ(end.bottom() + 1, view.viewport()->height());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.topParagraph(), 0);

    // WHEN the scroll bar's down arrow is clicked THEN the text moves up by a line
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.paragraphRect(0).top(), -view.fontMetrics().lineSpacing());
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);

    // WHEN the mouse is pressed on line 1 and dragged below the view
    QWidget *viewport = view.viewport();
    sendMouse(viewport, QEvent::MouseButtonPress, QPoint(5, view.paragraphRect(1).center().y()), Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, QPoint(5, viewport->height() + 40), Qt::LeftButton);
    const int scrolledByTheMove = view.topParagraph();
    // ... and held there: the text goes on scrolling under it
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.topParagraph() > scrolledByTheMove; }));
    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(5, viewport->height() + 40), Qt::NoButton);

    // THEN the text scrolled with the pointer, the selection runs from line 1 into the
    // lines brought into view, and Ctrl+C copies it as plain text
    EXPECT_GT(scrolledByTheMove, 0);
    const QString selected = view.selectedText();
    EXPECT_TRUE(selected.startsWith(u"Строка 1\nСтрока 2\n")) << selected.left(40).toStdString();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), selected);

    // THEN a screen reader finds a read-only text with all its characters and the selection
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible->text(QAccessible::Name), u"Описание");
    EXPECT_TRUE(accessible->state().readOnly);
    QAccessibleTextInterface *text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), plain.size());
    EXPECT_EQ(text->text(0, 8), u"Строка 0");
    int from = 0, to = 0;
    text->selection(0, &from, &to);
    EXPECT_EQ(text->text(from, to), selected);
}

} // namespace

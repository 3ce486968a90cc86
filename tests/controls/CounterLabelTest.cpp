#include "controls/CounterLabel.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

// WHEN the number changes THEN what a screen reader reads changes with it.
TEST(CounterLabel, ItsAccessibleTextFollowsTheNumber)
{
    CounterLabel counter(QStringLiteral("Осталось"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&counter);
    ASSERT_NE(accessible, nullptr);

    counter.setNum(12);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Осталось: 12"));
    counter.setNum(11);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Осталось: 11"));
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("11"));
    ASSERT_NE(accessible->valueInterface(), nullptr);
    EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), 11);
}

} // namespace

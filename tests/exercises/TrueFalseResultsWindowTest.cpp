#include "exercises/TrueFalseResultsWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

QList<TrueFalseResultRow> rowsOf(int count, const QString &prefix)
{
    QList<TrueFalseResultRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({prefix + QString::number(i), "Да", i % 2 ? "Да" : "Нет"});
    return rows;
}

TEST(TrueFalseResultsWindow, HasTheHeaderAnd49RowsInItsThreeColumns)
{
    TrueFalseResultsWindow window;
    QTableWidget *grid = window.resultsTable;

    EXPECT_EQ(window.windowTitle(), "Результаты упражнения");
    EXPECT_EQ(window.size(), QSize(553, 234));
    EXPECT_EQ(grid->rowCount(), 49);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->columnWidth(1), 58);
    EXPECT_EQ(grid->columnWidth(2), 80);

    // All three columns in view: nothing to scroll sideways for.
    window.show();
    QCoreApplication::processEvents();
    EXPECT_LE(grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2), grid->viewport()->width());
    EXPECT_GT(grid->columnWidth(0), 300);
}

// GIVEN the window filled for a run of 60 statements WHEN it is filled again for 2 THEN only
// the 2 rows show: the window is reused from run to run.
TEST(TrueFalseResultsWindow, FillingShowsOneRunAtATime)
{
    TrueFalseResultsWindow window;
    window.fill(60, 30, rowsOf(60, "Old "));
    EXPECT_EQ(window.resultsTable->rowCount(), 49);
    EXPECT_EQ(window.resultsTable->item(48, 0)->text(), "Old 49");

    window.fill(2, 1, rowsOf(2, "New "));

    EXPECT_EQ(window.totalCounter->text(), "2");
    EXPECT_EQ(window.errorCounter->text(), "1");
    EXPECT_EQ(window.commentLabel->text(), "Комментарий");
    EXPECT_EQ(window.resultsTable->item(1, 0)->text(), "New 2");
    EXPECT_EQ(window.resultsTable->item(1, 2)->text(), "Нет");
    EXPECT_EQ(window.resultsTable->item(2, 0), nullptr);
    EXPECT_EQ(window.resultsTable->item(48, 0), nullptr);
}

} // namespace

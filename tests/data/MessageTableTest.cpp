#include <gtest/gtest.h>

#include "data/MessageTable.h"

namespace brevanto::data {
namespace {

TEST(MessageTable, GrowingAddsEmptyRowsShrinkingDropsTheLastAndClampsTheCurrentRow) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetCol(1);
    table.SetText("yo");
    table.SetRows(5);
    EXPECT_EQ(table.Row(), 1);
    EXPECT_EQ(table.Col(), 1);
    EXPECT_EQ(table.Text(), "yo");
    EXPECT_EQ(table.Cell(4, 0), "");
    EXPECT_EQ(table.Cell(4, 1), "");

    table.SetCell(2, 0, "m2");
    table.SetCell(4, 0, "m4");
    table.SetRow(4);
    table.SetCol(0);
    table.SetRows(3);
    EXPECT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Text(), "m2");
    table.SetRows(5);
    EXPECT_EQ(table.Cell(4, 0), "") << "dropped rows are gone";

    table.SetRow(0);  // moves onto the last remaining row even from above it
    table.SetRows(2);
    EXPECT_EQ(table.Row(), 1);
}

TEST(MessageTable, WithoutRowsThereIsNoCurrentCell) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetRows(0);
    EXPECT_EQ(table.Text(), "");
    table.SetText("lost");
    table.SetRow(7);
    EXPECT_EQ(table.Row(), 0);
    table.SetRows(1);
    EXPECT_EQ(table.Text(), "") << "text set without rows must not come back";
    table.SetRows(-3);
    EXPECT_EQ(table.Rows(), 0);
}

TEST(MessageTable, PositionsAreClampedAndCellsOutsideAreEmpty) {
    MessageTable table;
    table.SetRows(3);
    table.SetRow(10);
    table.SetCol(5);
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Col(), 1);
    table.SetRow(-1);
    table.SetCol(-2);
    EXPECT_EQ(table.Row(), 0);
    EXPECT_EQ(table.Col(), 0);
    table.SetCell(1, 1, "kept");
    EXPECT_EQ(table.Cell(1, 1), "kept");
    for (const auto& [row, col] : {std::pair{3, 0}, {0, 2}, {-1, 0}}) {
        table.SetCell(row, col, "outside");
        EXPECT_EQ(table.Cell(row, col), "");
    }
}

}  // namespace
}  // namespace brevanto::data

#include <gtest/gtest.h>

#include "data/MessageTable.h"

namespace brevanto::data {
namespace {

TEST(MessageTable, GrowingAddsEmptyRowsAndKeepsTheCurrentCell) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetCol(1);
    table.SetText("yo");
    table.SetRows(4);
    EXPECT_EQ(table.Rows(), 4);
    EXPECT_EQ(table.Row(), 1);
    EXPECT_EQ(table.Col(), 1);
    EXPECT_EQ(table.Text(), "yo");
    EXPECT_EQ(table.Cell(3, 0), "");
    EXPECT_EQ(table.Cell(3, 1), "");
}

TEST(MessageTable, ShrinkingDropsRowsAtTheEndAndMovesOntoTheLastRow) {
    MessageTable table;
    table.SetRows(5);
    for (int row = 0; row < 5; ++row) {
        table.SetCell(row, 0, "m" + std::to_string(row));
    }
    table.SetRow(4);
    table.SetCol(1);
    table.SetRows(3);
    EXPECT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Text(), "");  // column 1 of row 2 was never set
    table.SetCol(0);
    EXPECT_EQ(table.Text(), "m2");
    EXPECT_EQ(table.Cell(3, 0), "") << "dropped rows are gone";

    // The current row moves onto the last remaining row even when it was above it.
    table.SetRow(0);
    table.SetRows(2);
    EXPECT_EQ(table.Row(), 1);
}

TEST(MessageTable, WithoutRowsThereIsNoCurrentCell) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetCol(1);
    table.SetRows(0);
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Text(), "");
    table.SetText("lost");
    EXPECT_EQ(table.Text(), "");
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
    EXPECT_EQ(table.Row(), 2);
    table.SetRow(-1);
    EXPECT_EQ(table.Row(), 0);
    table.SetCol(5);
    EXPECT_EQ(table.Col(), 1);
    table.SetCol(-2);
    EXPECT_EQ(table.Col(), 0);

    table.SetCell(1, 1, "kept");
    table.SetCell(3, 0, "outside");
    table.SetCell(0, 2, "outside");
    table.SetCell(-1, 0, "outside");
    EXPECT_EQ(table.Cell(1, 1), "kept");
    EXPECT_EQ(table.Cell(3, 0), "");
    EXPECT_EQ(table.Cell(0, 2), "");
    EXPECT_EQ(table.Cell(-1, 0), "");
}

}  // namespace
}  // namespace brevanto::data

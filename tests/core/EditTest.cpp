#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

const std::string kEditPrompt =
    "Enter new value for the row \rClick OK to save. Click CANCEL to clear.";

class Editing : public CoreTest {
  protected:
    void SetUp() override { Start("hi=hello\r\n"); }

    ShownBox Input(const std::string& defaultText) const {
        return {ShownBox::Kind::Input, kEditPrompt, kOkOnly, "", defaultText};
    }
};

TEST_F(Editing, AddMessageRowAppendsAnEmptyRowAndMakesItCurrent) {
    const int changes = controls.tableChanges;
    window->AddMessageRow();
    window->AddMessageRow();

    const auto& table = window->Table();
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"hi=hello", "=", "="}));
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Col(), 0);
    EXPECT_EQ(controls.tableChanges, changes + 2);
    EXPECT_TRUE(controls.boxes.empty());
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

TEST_F(Editing, AClickAsksForTheCurrentCellsTextAndWritesTheAnswer) {
    auto& table = window->Table();
    table.SetRow(0);
    table.SetCol(1);

    window->flexGrid_Click();  // OK without typing keeps the text
    EXPECT_EQ(table.Cell(0, 1), "hello");
    controls.inputBoxAnswers = {"Hello World"};
    window->flexGrid_Click();
    EXPECT_EQ(table.Cell(0, 1), "Hello World");
    table.SetCol(0);
    controls.inputBoxAnswers = {""};  // Cancel clears
    window->flexGrid_Click();

    EXPECT_EQ(TableRows(), std::vector<std::string>{"=Hello World"});
    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{Input("hello"), Input("hello"), Input("hi")}));
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

TEST_F(Editing, AClickOnATableWithoutRowsDoesNothing) {
    window->Table().SetRows(0);
    const int changes = controls.tableChanges;
    window->flexGrid_Click();
    EXPECT_TRUE(controls.boxes.empty());
    EXPECT_EQ(window->Table().Rows(), 0);
    EXPECT_EQ(controls.tableChanges, changes);
}

}  // namespace
}  // namespace brevanto::core::testing

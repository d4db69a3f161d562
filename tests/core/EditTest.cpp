#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

class Editing : public CoreTest {
  protected:
    void SetUp() override { Start("hi=hello\r\n"); }

    ShownBox Input(const std::string& defaultText) const {
        return {ShownBox::Kind::Input,
                "Enter new value for the row \rClick OK to save. Click CANCEL to clear.", kOkOnly,
                "", defaultText};
    }
};

// Edits change the table only; the file waits for a save.
TEST_F(Editing, AddedRowsAreEmptyAndCurrentAClickOnNoRowsDoesNothing) {
    const int changes = controls.tableChanges;
    window->AddMessageRow();
    window->AddMessageRow();
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"hi=hello", "=", "="}));
    EXPECT_EQ(window->Table().Row(), 2);
    EXPECT_EQ(window->Table().Col(), 0);
    EXPECT_EQ(controls.tableChanges, changes + 2);

    window->Table().SetRows(0);
    window->flexGrid_Click();
    EXPECT_EQ(window->Table().Rows(), 0);
    EXPECT_EQ(controls.tableChanges, changes + 2);
    EXPECT_TRUE(controls.boxes.empty());
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

TEST_F(Editing, AClickAsksForTheCurrentCellsTextAndWritesTheAnswer) {
    auto& table = window->Table();
    table.SetCol(1);
    window->flexGrid_Click();  // OK without typing keeps the text
    EXPECT_EQ(table.Cell(0, 1), "hello");
    controls.inputBoxAnswers = {"Hello World"};
    window->flexGrid_Click();
    table.SetCol(0);
    controls.inputBoxAnswers = {""};  // Cancel clears
    window->flexGrid_Click();

    EXPECT_EQ(TableRows(), std::vector<std::string>{"=Hello World"});
    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{Input("hello"), Input("hello"), Input("hi")}));
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

}  // namespace
}  // namespace brevanto::core::testing

#include <gtest/gtest.h>

#include "CoreFixture.h"

namespace brevanto::core::testing {
namespace {

class Saving : public CoreTest {
  protected:
    void Fill(const std::vector<std::pair<std::string, std::string>>& rows) {
        auto& table = window->Table();
        table.SetRows(static_cast<int>(rows.size()));
        for (int row = 0; row < table.Rows(); ++row) {
            table.SetCell(row, 0, rows[static_cast<std::size_t>(row)].first);
            table.SetCell(row, 1, rows[static_cast<std::size_t>(row)].second);
        }
        table.SetRow(0);
        table.SetCol(0);
    }

    const ShownBox kSaved = Box("The message was saved!", kOkOnly, "Done");
};

TEST_F(Saving, SaveGridWritesWhatStoringRowByRowWouldLeaveAndEndsOnTheLastCell) {
    Start("old=line\r\n");
    Fill({{"Hi", "a"}, {"  How are you? ", " fine "}, {"hi", "b"}, {"", ""}, {"a=b", "c=d"}});

    EXPECT_TRUE(window->SaveGrid(dataFile));
    EXPECT_EQ(ReadBytes(dataFile), "hi=b\r\nhow are you=fine\r\n =\r\na=b=c=d\r\n");
    EXPECT_EQ(window->Table().Row(), 4);
    EXPECT_EQ(window->Table().Col(), 1);
    EXPECT_EQ(window->Table().Cell(1, 0), "  How are you? ");  // cells are not changed

    controls.ignoreChecked[0] = false;
    EXPECT_TRUE(window->SaveGrid(dataFile));
    EXPECT_EQ(ReadBytes(dataFile), "hi=b\r\nhow are you?=fine\r\n =\r\na=b=c=d\r\n");
}

TEST_F(Saving, AnEmptyTableEmptiesTheFileAndLeavesTheCurrentCell) {
    Start("hi=hello\r\n");
    auto& table = window->Table();
    table.SetCol(1);
    table.SetRows(0);
    const int row = table.Row();

    window->SaveData();

    EXPECT_EQ(ReadBytes(dataFile), "");
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Row(), row);
    EXPECT_EQ(controls.boxes, std::vector<ShownBox>{kSaved});
}

TEST_F(Saving, SaveDataStoresSortsAndReloadsTheStoredForm) {
    Start("by hand=gone after the save\r\n");
    Fill({{"hi", "a"}, {"Hi There", "b"}, {"How are you?", "fine"}, {"", ""}, {"HI", "c"}});

    window->SaveData();

    EXPECT_EQ(ReadBytes(dataFile), " =\r\nhi there=b\r\nhi=c\r\nhow are you=fine\r\n");
    EXPECT_EQ(TableRows(),
              (std::vector<std::string>{" =", "hi there=b", "hi=c", "how are you=fine"}));
    EXPECT_EQ(controls.boxes, std::vector<ShownBox>{kSaved});
    EXPECT_GT(controls.tableChanges, 0);
}

TEST_F(Saving, AFailedWriteIsReportedInsteadOfSuccessAndChangesNothing) {
    const std::string bytes = "b=2\r\na=1\r\n";
    Start(bytes.c_str());
    Fill({{"new", "pair"}, {"B", "3"}});
    files.failWriting = true;

    window->SaveData();

    ASSERT_EQ(controls.boxes.size(), 1u);
    const ShownBox& box = controls.boxes[0];
    EXPECT_EQ(box.style, kOkOnly);
    EXPECT_EQ(box.title, "");
    EXPECT_NE(box.prompt.find(dataFile.string()), std::string::npos) << box.prompt;
    EXPECT_NE(box.prompt.find(FailingFiles::Reason().message()), std::string::npos) << box.prompt;
    EXPECT_EQ(ReadBytes(dataFile), bytes);
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"new=pair", "B=3"}));
    EXPECT_EQ(window->Table().Row(), 0);
    // Nothing but the data file is left in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace brevanto::core::testing

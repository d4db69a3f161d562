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

TEST_F(Saving, SaveDataStoresSortsAndReloadsTheStoredForm) {
    Start("by hand=gone after the save\r\n");
    Fill({{"hi", "a"}, {"Hi There", "b"}, {"How are you?", "fine"}, {"", ""}, {"HI", "c"}});

    window->SaveData();

    EXPECT_EQ(ReadBytes(dataFile), " =\r\nhi there=b\r\nhi=c\r\nhow are you=fine\r\n");
    EXPECT_EQ(TableRows(),
              (std::vector<std::string>{" =", "hi there=b", "hi=c", "how are you=fine"}));
    EXPECT_GT(controls.tableChanges, 0);

    // An empty table empties the file and leaves the current cell.
    auto& table = window->Table();
    table.SetCol(1);
    table.SetRows(0);
    const int row = table.Row();
    window->SaveData();
    EXPECT_EQ(ReadBytes(dataFile), "");
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Row(), row);
    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{kSaved, kSaved}));
}

TEST_F(Saving, AFailedWriteIsReportedInsteadOfSuccessAndChangesNothing) {
    const std::string bytes = "b=2\r\na=1\r\n";
    Start(bytes.c_str());
    Fill({{"new", "pair"}, {"B", "3"}});
    FailEvery("Write");

    window->SaveData();

    ASSERT_EQ(controls.boxes.size(), 1u);
    ExpectFileErrorBox(controls.boxes[0]);
    EXPECT_EQ(ReadBytes(dataFile), bytes);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"});
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"new=pair", "B=3"}));
    EXPECT_EQ(window->Table().Row(), 0);
}

}  // namespace
}  // namespace brevanto::core::testing

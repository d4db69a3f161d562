// Start-up, the layout, and the table's commands: editing, saving, deleting, import, export.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "CoreFixture.h"
#include "core/Layout.h"
#include "data/Progress.h"

namespace brevanto::core::testing {
namespace {

TEST(Layout, OffsetsComeFromTheDesignSizesInSinglePrecisionRoundedHalfToEven) {
    const LayoutOffsets offsets = ComputeLayout(DesignGeometry());
    EXPECT_EQ(offsets.GridHeightOffset, 6645 - 3375);
    EXPECT_EQ(offsets.FrameTopOffset, 6645 - 4080);
    EXPECT_EQ(offsets.LogHeightOffset, 6645 - 5055);
    EXPECT_EQ(offsets.FixedFormWidth, 10065);
    // 4935 / 2 - 45 = 2422.5, and the tie goes to the even 2422.
    EXPECT_EQ(offsets.ColumnWidth, 2422);

    WindowGeometry odd = DesignGeometry();
    odd.gridWidth = 4937;        // 2423.5 -> 2424
    odd.windowHeight = 6645.5;   // 3270.5 -> 3270, 2565.5 -> 2566
    odd.windowWidth = 16777217;  // no single-precision value: 16777216
    const LayoutOffsets ties = ComputeLayout(odd);
    EXPECT_EQ(ties.ColumnWidth, 2424);
    EXPECT_EQ(ties.GridHeightOffset, 3270);
    EXPECT_EQ(ties.FrameTopOffset, 2566);
    EXPECT_EQ(ties.FixedFormWidth, 16777216);
}

// A missing data file is created empty; an existing one is loaded in file order and left
// unchanged; one that cannot be created or read is reported, the table empty and the file
// kept. A killed save's temporary file goes, and the program starts idle either way.
TEST_F(CoreTest, StartCreatesLoadsOrReportsTheDataFileAndStartsIdle) {
    const struct {
        const char* file;  // null: none
        const char* failing;
        Rows rows;
    } cases[] = {
        {nullptr, nullptr, {}},
        {"b=2\r\nno entry here\r\nHELLO=  Hi there \r\n\r\nA=1",
         nullptr,
         {"b=2", "hello=Hi there", "a=1"}},
        {nullptr, "OpenOrCreate", {}},
        {"hi=hello\r\n", "OpenForReading", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing != nullptr ? c.failing : c.file != nullptr ? c.file : "missing");
        fs::remove(dataFile);
        files = {};
        controls = HeadlessControls{};
        controls.mode = AutoRespondControls();  // whatever the window held before loading
        const fs::path leftover = folder / "data.dat.0123456789abcdef.tmp";
        WriteBytes(leftover, "left by a killed save");
        if (c.failing != nullptr) {
            FailEvery(c.failing);
        }
        Start(c.file);

        EXPECT_EQ(TableRows(), c.rows);
        EXPECT_EQ(controls.mode, ModeControls{});
        EXPECT_FALSE(fs::exists(leftover));
        EXPECT_EQ(ReadBytes(dataFile), c.file != nullptr ? c.file : "");
        ASSERT_EQ(controls.boxes.size(), c.failing != nullptr ? 1u : 0u);
        if (c.failing != nullptr) {
            ExpectFileErrorBox(controls.boxes[0]);
        }
    }
    EXPECT_EQ(window->Layout().ColumnWidth, 2422);
}

ShownBox EditBox(const std::string& defaultText) {
    return {ShownBox::Kind::Input,
            "Enter new value for the row \rClick OK to save. Click CANCEL to clear.", kOkOnly, "",
            defaultText};
}

// Edits change the table only; the file waits for a save.
TEST_F(CoreTest, AddedRowsAreEmptyAndCurrentAndAClickEditsTheCurrentCell) {
    Start("hi=hello\r\n");
    const int changes = controls.tableChanges;
    window->AddMessageRow();
    window->AddMessageRow();
    EXPECT_EQ(TableRows(), (Rows{"hi=hello", "=", "="}));
    EXPECT_EQ(window->Table().Row(), 2);
    EXPECT_EQ(window->Table().Col(), 0);
    EXPECT_EQ(controls.tableChanges, changes + 2);

    auto& table = window->Table();
    table.SetRow(0);
    table.SetCol(1);
    window->flexGrid_Click();  // OK without typing keeps the text
    EXPECT_EQ(table.Cell(0, 1), "hello");
    controls.inputBoxAnswers = {"Hello World"};
    window->flexGrid_Click();
    table.SetCol(0);
    controls.inputBoxAnswers = {""};  // Cancel clears
    window->flexGrid_Click();
    EXPECT_EQ(TableRows(), (Rows{"=Hello World", "=", "="}));
    EXPECT_EQ(controls.boxes,
              (std::vector<ShownBox>{EditBox("hello"), EditBox("hello"), EditBox("hi")}));

    table.SetRows(0);  // a click on no rows does nothing
    window->flexGrid_Click();
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(controls.boxes.size(), 3u);
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
}

TEST_F(CoreTest, SaveGridWritesWhatStoringRowByRowWouldLeaveAndEndsOnTheLastCell) {
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

TEST_F(CoreTest, SaveDataStoresSortsAndReloadsTheStoredForm) {
    Start("by hand=gone after the save\r\n");
    Fill({{"hi", "a"}, {"Hi There", "b"}, {"How are you?", "fine"}, {"", ""}, {"HI", "c"}});

    window->SaveData();

    EXPECT_EQ(ReadBytes(dataFile), " =\r\nhi there=b\r\nhi=c\r\nhow are you=fine\r\n");
    EXPECT_EQ(TableRows(), (Rows{" =", "hi there=b", "hi=c", "how are you=fine"}));
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
    const ShownBox saved = Box("The message was saved!", kOkOnly, "Done");
    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{saved, saved}));
}

// A cell whose typed text lost characters is still named, at its new row, before a save.
TEST_F(CoreTest, OneRowIsDeletedAtOnceSeveralOnlyAfterYes) {
    Start("a=1\r\nb=2\r\nc=3\r\nd=4\r\n");
    Type(3, 0, "d", true);
    const int changes = controls.tableChanges;
    window->DeleteRows({1, 7});
    EXPECT_EQ(TableRows(), (Rows{"a=1", "c=3", "d=4"}));
    EXPECT_EQ(controls.tableChanges, changes + 1);
    controls.msgBoxAnswers = {kCancel};
    window->SaveData();
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("Row 3 (d)"));

    controls.boxes.clear();
    controls.msgBoxAnswers = {kNo};
    window->DeleteRows({0, 2});
    EXPECT_EQ(TableRows().size(), 3u);
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_EQ(controls.boxes[0].style, kYesNo);
    EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("2 selected"));

    window->DeleteRows({0, 2, 2});  // Yes
    EXPECT_EQ(TableRows(), (Rows{"c=3"}));
    EXPECT_EQ(ReadBytes(dataFile), "a=1\r\nb=2\r\nc=3\r\nd=4\r\n") << "the file waits for a save";
    window->SaveData();
    EXPECT_EQ(ReadBytes(dataFile), "c=3\r\n");
}

TEST_F(CoreTest, ImportMergesAndReportsExportWritesCsvOrTheSavedForm) {
    Start("a=1\r\nb=2\r\nc=3\r\nd=4\r\n");
    window->ImportTable();  // cancelled
    EXPECT_EQ(controls.fileDialogs, std::vector<FileChoice>{FileChoice::Import});
    EXPECT_TRUE(controls.boxes.empty());

    const fs::path csv = folder / "in.csv";
    WriteBytes(csv, "Message,Response\r\nA!,changed\r\ne,5\r\nx=y,6\r\n");
    controls.fileAnswers = {csv};
    window->ImportTable();
    EXPECT_EQ(TableRows().back(), "e=5");
    EXPECT_EQ(TableRows().front(), "a=1");
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_EQ(controls.boxes[0].title, "Import");
    for (const char* line :
         {"1 pairs added", "1 pairs kept", "1 pairs skipped", "1 with \"=\" in the message"}) {
        EXPECT_THAT(controls.boxes[0].prompt, HasSubstr(line)) << line;
    }

    controls.fileAnswers = {folder / "missing.csv"};
    window->ImportTable();
    EXPECT_EQ(TableRows().size(), 5u);
    EXPECT_THAT(controls.boxes.back().prompt, HasSubstr("could not be imported"));

    const fs::path out = folder / "out.csv";
    const fs::path dat = folder / "out.txt";
    window->Table().SetCell(0, 0, "Z");
    controls.fileAnswers = {out, dat};
    window->ExportTable();
    window->ExportTable();
    EXPECT_EQ(ReadBytes(out),
              "\xEF\xBB\xBFMessage,Response\r\nZ,1\r\nb,2\r\nc,3\r\nd,4\r\ne,5\r\n");
    EXPECT_EQ(ReadBytes(dat), "b=2\r\nc=3\r\nd=4\r\ne=5\r\nz=1\r\n");
    EXPECT_EQ(controls.boxes.back().title, "Export");

    FailEvery("Rename");
    controls.fileAnswers = {out};
    window->ExportTable();
    EXPECT_THAT(controls.boxes.back().prompt, HasSubstr("could not be exported.\n" + out.string()));
}

// Cancelled at any of its progress reports, an import leaves the table and an export the
// file as they were, without a summary; run to the end, the shares rise to at most 1.
TEST_F(CoreTest, CancelAtAnyProgressReportChangesNothing) {
    Start("a=1\r\nb=2\r\nc=3\r\nd=4\r\n");
    int commands = 0;
    const auto cancelEach = [&](void (MainWindow::*command)(), const fs::path& file,
                                const std::function<void()>& expectUnchanged) {
        for (std::size_t report = 0;; ++report) {
            SCOPED_TRACE(file.string() + ", cancelled at report " + std::to_string(report));
            controls.progressShares.clear();
            controls.cancelAtReport = static_cast<int>(report);
            controls.fileAnswers = {file};
            ((*window).*command)();
            ++commands;
            const auto& shares = controls.progressShares;
            if (shares.size() <= report) {
                EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
                EXPECT_LE(shares.back(), 1.0);
                EXPECT_EQ(controls.boxes.size(), 1u);
                controls.boxes.clear();
                return;
            }
            EXPECT_EQ(shares.size(), report + 1);
            EXPECT_TRUE(controls.boxes.empty());
            expectUnchanged();
        }
    };
    const auto pairs = [](const char* prefix, char separator) {
        std::string lines;
        for (std::size_t i = 0; i < 3 * data::Progress::kStride; ++i) {
            lines += prefix + std::to_string(i) + separator + "r\r\n";
        }
        return lines;
    };
    std::size_t rows = 4;
    const auto tableUnchanged = [&] { EXPECT_EQ(TableRows().size(), rows); };
    WriteBytes(folder / "in.csv", pairs("m", ','));
    WriteBytes(folder / "in.txt", pairs("n", '='));
    for (const char* name : {"in.csv", "in.txt"}) {
        cancelEach(&MainWindow::ImportTable, folder / name, tableUnchanged);
        rows += 3 * data::Progress::kStride;
        EXPECT_EQ(TableRows().size(), rows);
    }
    for (const char* name : {"out.csv", "out.txt"}) {
        WriteBytes(folder / name, "old");
        cancelEach(&MainWindow::ExportTable, folder / name,
                   [&] { EXPECT_EQ(ReadBytes(folder / name), "old"); });
        EXPECT_GT(ReadBytes(folder / name).size(), rows * 4);
    }
    EXPECT_EQ(controls.progressEnds, commands);
}

}  // namespace
}  // namespace brevanto::core::testing

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "CoreFixture.h"
#include "core/TrayMode.h"
#include "data/Progress.h"

namespace brevanto::core::testing {
namespace {

class TableCommands : public CoreTest {
  protected:
    void SetUp() override { Start("a=1\r\nb=2\r\nc=3\r\nd=4\r\n"); }
};

TEST_F(TableCommands, OneRowGoesAtOnceSeveralOnlyAfterYes) {
    window->DeleteRows({1, 7});
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"a=1", "c=3", "d=4"}));
    EXPECT_TRUE(controls.boxes.empty());

    controls.msgBoxAnswers = {kNo};
    window->DeleteRows({0, 2});
    EXPECT_EQ(TableRows().size(), 3u);
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_EQ(controls.boxes[0].style, kYesNo);
    EXPECT_NE(controls.boxes[0].prompt.find("2 selected"), std::string::npos);

    window->DeleteRows({0, 2, 2});  // Yes
    EXPECT_EQ(TableRows(), (std::vector<std::string>{"c=3"}));
    EXPECT_EQ(ReadBytes(dataFile), "a=1\r\nb=2\r\nc=3\r\nd=4\r\n") << "the file waits for a save";
    window->SaveData();
    EXPECT_EQ(ReadBytes(dataFile), "c=3\r\n");
}

// A cell whose typed text lost characters is still named, at its new row, before a save.
TEST_F(TableCommands, RowsBelowADeletedOneKeepTheirWarnings) {
    window->Table().SetRow(3);
    controls.inputLost = true;
    window->flexGrid_Click();
    window->DeleteRows({0});
    controls.msgBoxAnswers = {kCancel};
    window->SaveData();
    EXPECT_NE(controls.boxes.back().prompt.find("Row 3 (d)"), std::string::npos)
        << controls.boxes.back().prompt;
}

TEST_F(TableCommands, ImportMergesAndReportsExportWritesCsvOrTheSavedForm) {
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
        EXPECT_NE(controls.boxes[0].prompt.find(line), std::string::npos) << line;
    }

    controls.fileAnswers = {folder / "missing.csv"};
    window->ImportTable();
    EXPECT_EQ(TableRows().size(), 5u);
    EXPECT_NE(controls.boxes.back().prompt.find("could not be imported"), std::string::npos);

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
    EXPECT_NE(controls.boxes.back().prompt.find("could not be exported.\n" + out.string()),
              std::string::npos);
}

// Cancelled at any of its progress reports, an import leaves the table and an export the
// file as they were, without a summary; run to the end, the shares rise to at most 1.
TEST_F(TableCommands, CancelAtAnyReportChangesNothing) {
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

TEST(TrayMode, TheTipSaysWhetherBrevantoAnswers) {
    EXPECT_EQ(TrayTip(AutoRespondControls()), "Brevanto: answering messages");
    EXPECT_EQ(TrayTip(ModeControls{}), "Brevanto");
    EXPECT_TRUE(TrayMarked(AutoRespondControls()));
}

}  // namespace
}  // namespace brevanto::core::testing

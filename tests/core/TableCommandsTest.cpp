#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/TrayMode.h"

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

TEST(TrayMode, TheTipSaysWhetherBrevantoAnswers) {
    EXPECT_EQ(TrayTip(AutoRespondControls()), "Brevanto: answering messages");
    EXPECT_EQ(TrayTip(ModeControls{}), "Brevanto");
    EXPECT_TRUE(TrayMarked(AutoRespondControls()));
}

}  // namespace
}  // namespace brevanto::core::testing

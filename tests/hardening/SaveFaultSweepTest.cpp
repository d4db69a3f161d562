// Every file-system call of "Sa&ve Data" fails in turn, at each position, with EIO and
// with ENOSPC; then each is interrupted once, and each write cut short. Whatever fails, the
// user must be told (an error box, never "The message was saved!"), the table on screen
// must keep the user's rows, no temporary file may stay behind, and the data file must be
// the old file, or, once a replacement has gone through, the file that replacement wrote.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "FaultInjectingFileOps.h"
#include "ScratchFolder.h"
#include "TestTables.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "oracles/LiteralFileIO.h"

namespace brevanto::hardening {
namespace {

constexpr const char* kSaved = "The message was saved!";

struct SaveOutcome {
    std::vector<FileCall> calls;
    std::vector<core::ShownBox> boxes;
    std::string file;
    std::vector<std::string> entries;
    Rows table;
};

// One "Sa&ve Data" of rows over a data file holding oldFile, through the given file layer.
SaveOutcome Save(FaultInjectingFileOps& files, const std::string& oldFile, const Rows& rows) {
    ScratchFolder folder("sweep");
    WriteBytes(folder / "data.dat", oldFile);
    aim::simulated::SimulatedAim aim;
    core::HeadlessControls controls;
    core::MainWindow window(aim, controls, folder / "data.dat", files);
    FillTable(window.Table(), rows);

    window.SaveData();

    return {files.Calls(), controls.boxes, ReadBytes(folder / "data.dat"), folder.Entries(),
            CellsOf(window.Table())};
}

bool ShowedSaved(const SaveOutcome& outcome) {
    for (const auto& box : outcome.boxes) {
        if (box.prompt == kSaved) {
            return true;
        }
    }
    return false;
}

// Calls whose failure loses nothing once everything is written: closing a file that was
// only read, or the folder handle after its sync.
bool HarmlessToFail(const FileCall& call) {
    return (call.name == "Close" && !call.onWrittenFile) || call.name == "CloseDirectory";
}

class SaveFaultSweep : public ::testing::Test {
  protected:
    const Rows oldRows = MakeTable(12, 1);
    const Rows newRows = MakeTable(12, 2);
    const std::string oldFile = SortedFile(oldRows);
    const std::string sortedNew = SortedFile(newRows);

    SaveOutcome clean;
    std::vector<std::size_t> renames;  // positions of the renames of a clean save

    void SetUp() override {
        FaultInjectingFileOps files;
        clean = Save(files, oldFile, newRows);
        for (std::size_t i = 0; i < clean.calls.size(); ++i) {
            if (clean.calls[i].name == "Rename") {
                renames.push_back(i);
            }
        }
    }

    // The data file a save that stopped at this position leaves: the old one up to and
    // including its one rename, the finished new one after it.
    std::string FileAfterFailureAt(std::size_t position) const {
        return renames.empty() || position <= renames.front() ? oldFile : sortedNew;
    }
};

TEST_F(SaveFaultSweep, ACleanSaveSyncsEachFileBeforeRenamingItAndSyncsTheFolderAfter) {
    ASSERT_TRUE(ShowedSaved(clean));
    EXPECT_EQ(clean.file, sortedNew);
    // One replacement: there is no moment at which data.dat holds the table unsorted.
    EXPECT_EQ(renames.size(), 1u);
    EXPECT_EQ(clean.entries, std::vector<std::string>{"data.dat"});
    // The expected files themselves agree with the row-by-row procedure.
    std::vector<std::pair<std::string, std::string>> rows(newRows.begin(), newRows.end());
    EXPECT_EQ(sortedNew,
              oracle::LiteralWriteLines(oracle::LiteralSortFile(oracle::LiteralSaveRows(rows))));

    std::string sequence;
    for (const FileCall& call : clean.calls) {
        sequence += call.name + " ";
    }
    RecordProperty("calls", sequence);
    ASSERT_FALSE(renames.empty());
    std::size_t from = 0;
    for (const std::size_t rename : renames) {
        bool created = false, synced = false, closed = false, folderSynced = false;
        for (std::size_t i = from; i < rename; ++i) {
            const FileCall& call = clean.calls[i];
            created |= call.name == "CreateNew";
            synced |= created && call.name == "Sync" && call.onWrittenFile;
            closed |= synced && call.name == "Close" && call.onWrittenFile;
        }
        for (std::size_t i = rename + 1; i < clean.calls.size(); ++i) {
            if (clean.calls[i].name == "Rename") {
                break;
            }
            folderSynced |= clean.calls[i].name == "SyncDirectory";
        }
        EXPECT_TRUE(created && synced && closed) << "rename at call " << rename;
        EXPECT_TRUE(folderSynced) << "rename at call " << rename;
        from = rename + 1;
    }
}

TEST_F(SaveFaultSweep, EveryFailingCallIsShownAndKeepsTheFileWhole) {
    for (const int error : {EIO, ENOSPC}) {
        const std::string reason = std::error_code(error, std::generic_category()).message();
        for (std::size_t position = 0; position < clean.calls.size(); ++position) {
            const FileCall& call = clean.calls[position];
            SCOPED_TRACE(call.name + " (call " + std::to_string(position) + ") failing with " +
                         reason);
            FaultInjectingFileOps files;
            files.FailAt(position, error);
            const SaveOutcome outcome = Save(files, oldFile, newRows);

            EXPECT_EQ(outcome.entries, std::vector<std::string>{"data.dat"})
                << "a temporary file was left behind";
            if (ShowedSaved(outcome)) {
                EXPECT_TRUE(HarmlessToFail(call)) << "a failure was reported as success";
                EXPECT_EQ(outcome.file, sortedNew);
                continue;
            }
            ASSERT_EQ(outcome.boxes.size(), 1u);
            EXPECT_NE(outcome.boxes[0].prompt.find("data.dat"), std::string::npos)
                << outcome.boxes[0].prompt;
            EXPECT_NE(outcome.boxes[0].prompt.find(reason), std::string::npos)
                << outcome.boxes[0].prompt;
            EXPECT_EQ(outcome.file, FileAfterFailureAt(position));
            EXPECT_EQ(outcome.table, newRows) << "the rows on screen were lost";
        }
    }
}

// A folder sync that fails after the rename must not claim the old file was kept: data.dat
// already holds the new table.
TEST_F(SaveFaultSweep, AFailureAfterTheRenameDoesNotClaimTheOldFileWasKept) {
    bool sawReplacedFile = false;
    for (std::size_t position = 0; position < clean.calls.size(); ++position) {
        FaultInjectingFileOps files;
        files.FailAt(position, EIO);
        const SaveOutcome outcome = Save(files, oldFile, newRows);
        if (ShowedSaved(outcome) || outcome.file == oldFile) {
            continue;
        }
        SCOPED_TRACE(clean.calls[position].name + " (call " + std::to_string(position) + ")");
        ASSERT_EQ(outcome.boxes.size(), 1u);
        EXPECT_EQ(outcome.boxes[0].prompt.find("left as it was"), std::string::npos)
            << outcome.boxes[0].prompt;
        sawReplacedFile = true;
    }
    EXPECT_TRUE(sawReplacedFile) << "no failure position comes after the rename";
}

TEST_F(SaveFaultSweep, InterruptedCallsAndShortWritesStillSaveEverything) {
    for (std::size_t position = 0; position < clean.calls.size(); ++position) {
        SCOPED_TRACE(clean.calls[position].name + " (call " + std::to_string(position) + ")");
        FaultInjectingFileOps interrupted;
        interrupted.FailAt(position, EINTR);
        const SaveOutcome afterSignal = Save(interrupted, oldFile, newRows);
        EXPECT_TRUE(ShowedSaved(afterSignal));
        EXPECT_EQ(afterSignal.file, sortedNew);
        EXPECT_EQ(afterSignal.entries, std::vector<std::string>{"data.dat"});

        if (clean.calls[position].name != "Write") {
            continue;
        }
        FaultInjectingFileOps cutShort;
        cutShort.ShortWriteAt(position);
        const SaveOutcome afterShortWrite = Save(cutShort, oldFile, newRows);
        EXPECT_TRUE(ShowedSaved(afterShortWrite));
        EXPECT_EQ(afterShortWrite.file, sortedNew);
    }
}

}  // namespace
}  // namespace brevanto::hardening

// Every file call of "Sa&ve Data" fails in turn with EIO and ENOSPC, or is interrupted:
// the user is told of a real failure (never "The message was saved!"), keeps the rows on
// screen, no temporary file stays, and data.dat is whole. An interrupted call is tried
// again, except a close (the descriptor is gone either way, and the data was synced before
// it), so the save goes through. Short writes are SafeFile's test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "TestTables.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/FaultyFileOps.h"
#include "data/TempDir.h"

namespace brevanto::hardening {
namespace {

using testing::FaultyFileOps;
using testing::FileCall;

struct SaveOutcome {
    std::vector<FileCall> calls;
    bool saved;  // "The message was saved!" was shown
    std::vector<core::ShownBox> boxes;
    std::string file;
    std::vector<std::string> entries;
    Rows table;
};

// One "Sa&ve Data" of rows over a data file holding oldFile, through the given file layer.
SaveOutcome Save(FaultyFileOps& files, const std::string& oldFile, const Rows& rows) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "data.dat", oldFile);
    aim::simulated::SimulatedAim aim;
    core::HeadlessControls controls;
    core::MainWindow window(aim, controls, folder / "data.dat", files);
    FillTable(window.Table(), rows);

    window.SaveData();

    const bool saved = std::ranges::any_of(
        controls.boxes, [](const auto& box) { return box.prompt == "The message was saved!"; });
    return {files.Log(),      saved,
            controls.boxes,   testing::ReadBytes(folder / "data.dat"),
            folder.Entries(), CellsOf(window.Table())};
}

// Calls whose failure loses nothing once everything is written: closing a file that was
// only read, the folder handle after its sync, or carrying the old permissions over (a
// file system without permissions still takes the content).
bool HarmlessToFail(const FileCall& call) {
    return (call.name == "Close" && !call.onWrittenFile) || call.name == "CloseDirectory" ||
           call.name == "SetPermissions";
}

TEST(SaveFaultSweep, ACleanSaveSyncsBeforeItsOneRenameAndEveryFailingCallIsShownAndHarmless) {
    const Rows newRows = MakeTable(12, 2);
    const std::string oldFile = SortedFile(MakeTable(12, 1));
    const std::string sortedNew = SortedFile(newRows);
    FaultyFileOps cleanFiles;
    const SaveOutcome clean = Save(cleanFiles, oldFile, newRows);
    ASSERT_TRUE(clean.saved);
    EXPECT_EQ(clean.file, sortedNew);
    EXPECT_EQ(clean.entries, std::vector<std::string>{"data.dat"});

    // The file is synced and closed before its one rename (data.dat never holds the table
    // unsorted), the folder synced after it.
    std::vector<std::size_t> renames;
    bool created = false, synced = false, closed = false, folderSynced = false;
    for (std::size_t i = 0; i < clean.calls.size(); ++i) {
        const FileCall& call = clean.calls[i];
        if (call.name == "Rename") {
            renames.push_back(i);
        }
        created |= call.name == "CreateNew";
        synced |= renames.empty() && created && call.name == "Sync" && call.onWrittenFile;
        closed |= renames.empty() && synced && call.name == "Close" && call.onWrittenFile;
        folderSynced |= !renames.empty() && call.name == "SyncDirectory";
    }
    ASSERT_EQ(renames.size(), 1u);
    EXPECT_TRUE(created && synced && closed && folderSynced);

    bool sawReplacedFile = false;
    for (const int error : {EIO, ENOSPC, EINTR}) {
        const std::string reason = std::error_code(error, std::generic_category()).message();
        for (std::size_t position = 0; position < clean.calls.size(); ++position) {
            const FileCall& call = clean.calls[position];
            SCOPED_TRACE(call.name + " (call " + std::to_string(position) + ") failing with " +
                         reason);
            FaultyFileOps files;
            files.FailAt(position, error);
            const SaveOutcome outcome = Save(files, oldFile, newRows);

            EXPECT_EQ(outcome.entries, std::vector<std::string>{"data.dat"})
                << "a temporary file was left behind";
            EXPECT_EQ(files.OpenWrittenFiles(), 0u) << "a file was left open";
            if (outcome.saved || error == EINTR) {
                EXPECT_TRUE(error == EINTR || HarmlessToFail(call))
                    << "a failure was reported as success";
                EXPECT_TRUE(outcome.saved);
                EXPECT_EQ(outcome.file, sortedNew);
                continue;
            }
            ASSERT_EQ(outcome.boxes.size(), 1u);
            EXPECT_NE(outcome.boxes[0].prompt.find("data.dat"), std::string::npos)
                << outcome.boxes[0].prompt;
            EXPECT_NE(outcome.boxes[0].prompt.find(reason), std::string::npos)
                << outcome.boxes[0].prompt;
            // The old file up to and including the rename, the finished new one after it.
            EXPECT_EQ(outcome.file, position <= renames[0] ? oldFile : sortedNew);
            EXPECT_EQ(outcome.table, newRows) << "the rows on screen were lost";
            // Once data.dat holds the new table, the box must not claim the old one was kept.
            if (outcome.file != oldFile) {
                sawReplacedFile = true;
                EXPECT_EQ(outcome.boxes[0].prompt.find("left as it was"), std::string::npos)
                    << outcome.boxes[0].prompt;
            }
        }
    }
    EXPECT_TRUE(sawReplacedFile) << "no failure position comes after the rename";
}

}  // namespace
}  // namespace brevanto::hardening

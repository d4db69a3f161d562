// The data file is never lost: read-only and odd files, edits made outside Brevanto,
// unsaved edits at exit, hand-written line ends and rows that would not read back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CoreFixture.h"
#include "core/SingleInstance.h"

namespace brevanto::core::testing {
namespace {

using DataSafety = CoreTest;

TEST_F(DataSafety, AReadOnlyFileLoadsAndASaveLeavesItAndItsModeAsTheyWere) {
    WriteBytes(dataFile, "hi=hello\r\n");
    fs::permissions(dataFile, fs::perms::owner_read | fs::perms::group_read);
    Start(nullptr);
    EXPECT_EQ(TableRows(), Rows{"hi=hello"});
    EXPECT_TRUE(controls.boxes.empty());

    Type(0, 1, "changed");
    window->SaveData();
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_THAT(controls.boxes[0].prompt, HasSubstr(dataFile.string() + ": Permission denied"));
    EXPECT_EQ(ReadBytes(dataFile), "hi=hello\r\n");
    EXPECT_EQ(fs::status(dataFile).permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(TableRows(), Rows{"hi=changed"});
}

TEST_F(DataSafety, AFifoOrAFolderIsRefusedAtOnceAndNeverWrittenOver) {
    const struct {
        void (*make)(const fs::path&);
        const char* reason;
    } cases[] = {
        {[](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, "Not a regular file"},
        {[](const fs::path& p) { fs::create_directory(p); }, "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        fs::remove_all(dataFile);
        c.make(dataFile);
        controls.boxes.clear();
        Start(nullptr);  // a FIFO opened for reading or writing would wait for ever
        ASSERT_EQ(controls.boxes.size(), 1u);
        EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("could not be read"));
        EXPECT_THAT(controls.boxes[0].prompt, HasSubstr(dataFile.string() + ": " + c.reason));

        window->AddMessageRow();
        window->SaveData();
        ASSERT_EQ(controls.boxes.size(), 2u);
        EXPECT_THAT(controls.boxes[1].prompt, HasSubstr(c.reason));
        EXPECT_FALSE(fs::is_regular_file(dataFile));
        EXPECT_EQ(folder.Entries(), Rows{"data.dat"});
    }
}

// Cancel keeps the file and the table; OK replaces the file.
TEST_F(DataSafety, ASaveOverAFileThatFailedToLoadOrChangedOnDiskAsksFirst) {
    const struct {
        const char* name;
        bool failLoad;
        const char* asked;
    } cases[] = {
        {"load failed", true, "could not be loaded when Brevanto started"},
        {"changed on disk", false, " was changed outside Brevanto since it was loaded or saved"},
    };
    for (const auto& c : cases) {
        for (const int answer : {kCancel, kOk}) {
            SCOPED_TRACE(std::string(c.name) + (answer == kOk ? ", OK" : ", Cancel"));
            files = {};
            if (c.failLoad) {
                files.FailCall("OpenForReading", 1, EIO);
            }
            controls.boxes.clear();
            Start("hi=hello\r\n");
            controls.boxes.clear();
            if (!c.failLoad) {
                WriteBytes(dataFile, "edited=by hand\r\n");
            }
            window->AddMessageRow();
            controls.msgBoxAnswers = {answer};
            window->SaveData();

            ASSERT_FALSE(controls.boxes.empty());
            EXPECT_EQ(controls.boxes[0].style, kOkCancel);
            EXPECT_THAT(controls.boxes[0].prompt, HasSubstr(c.asked));
            EXPECT_THAT(controls.boxes[0].prompt, HasSubstr(dataFile.string()));
            const bool kept = answer == kCancel;
            EXPECT_EQ(controls.boxes.size(), kept ? 1u : 2u);
            EXPECT_EQ(
                ReadBytes(dataFile) == " =\r\n" || ReadBytes(dataFile) == " =\r\nhi=hello\r\n",
                !kept);
            EXPECT_EQ(window->HasUnsavedEdits(), kept);
            if (!kept) {  // asked once: the next save goes through
                controls.boxes.clear();
                window->SaveData();
                EXPECT_EQ(controls.boxes,
                          (std::vector<ShownBox>{Box("The message was saved!", kOkOnly, "Done")}));
            }
        }
    }
}

TEST_F(DataSafety, ExitAsksOnlyWithUnsavedEditsAndCancelOrAFailedSaveKeepsTheWindow) {
    Start("hi=hello\r\n");
    EXPECT_TRUE(window->QueryUnload());
    EXPECT_TRUE(controls.boxes.empty());

    Type(0, 1, "changed");
    const struct {
        int answer;
        bool failWrite, ends;
        const char* file;
    } cases[] = {
        {kCancel, false, false, "hi=hello\r\n"},
        {kYes, true, false, "hi=hello\r\n"},
        {kNo, false, true, "hi=hello\r\n"},
        {kYes, false, true, "hi=changed\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        controls.boxes.clear();
        controls.msgBoxAnswers = {c.answer};
        if (c.failWrite) {
            files.FailCall("Write", 0, ENOSPC);
        }
        EXPECT_EQ(window->QueryUnload(), c.ends);
        files = {};
        ASSERT_FALSE(controls.boxes.empty());
        EXPECT_EQ(controls.boxes[0].style, kYesNoCancel);
        EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("not saved in " + dataFile.string()));
        EXPECT_EQ(ReadBytes(dataFile), c.file);
    }
    EXPECT_FALSE(window->HasUnsavedEdits());
}

TEST_F(DataSafety, RowsThatWouldNotReadBackAsShownAreNamedBeforeSaving) {
    Start("hand=written\nlinux=editor\n");
    EXPECT_EQ(TableRows(), (Rows{"hand=written", "linux=editor"}));

    window->AddMessageRow();
    Type(2, 0, "1+1=2?");
    Type(2, 1, "yes");
    Type(0, 1, "caf? ok", true);
    Type(1, 1, "fine");
    controls.msgBoxAnswers = {kCancel};
    window->SaveData();
    ASSERT_EQ(controls.boxes.size(), 1u);
    const ShownBox& box = controls.boxes[0];
    EXPECT_EQ(box.style, kOkCancel);
    EXPECT_THAT(box.prompt, HasSubstr("Row 1 (hand): characters the code page cannot hold"));
    EXPECT_THAT(box.prompt, ::testing::Not(HasSubstr("Row 2")));
    EXPECT_THAT(box.prompt, HasSubstr("Row 3 (1+1=2?): the \"=\""));
    EXPECT_EQ(ReadBytes(dataFile), "hand=written\nlinux=editor\n");

    controls.boxes.clear();
    window->SaveData();  // OK: saved anyway
    EXPECT_EQ(controls.boxes.size(), 2u);
    EXPECT_EQ(ReadBytes(dataFile), "1+1=2=yes\r\nhand=caf? ok\r\nlinux=fine\r\n");

    window->Table().SetRows(12);  // ten rows are named, the rest counted
    for (int row = 0; row < 12; ++row) {
        window->Table().SetCell(row, 0, "k=" + std::to_string(row));
    }
    controls.boxes.clear();
    controls.msgBoxAnswers = {kCancel};
    window->SaveData();
    ASSERT_EQ(controls.boxes.size(), 1u);
    EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("Row 10 (k=9)"));
    EXPECT_THAT(controls.boxes[0].prompt, ::testing::Not(HasSubstr("Row 11")));
    EXPECT_THAT(controls.boxes[0].prompt, HasSubstr("\n... and 2 more rows.\n"));
}

TEST(SingleInstance, TheSecondInstanceNamesTheFolderItRunsIn) {
    EXPECT_EQ(AlreadyRunningText("/some/folder/data.dat"),
              "Brevanto is already running in this folder.\n/some/folder");
    EXPECT_EQ(AlreadyRunningText("data.dat"),
              "Brevanto is already running in this folder.\n" + fs::current_path().string());
}

}  // namespace
}  // namespace brevanto::core::testing

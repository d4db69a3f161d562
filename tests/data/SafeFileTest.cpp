#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "FaultyFileOps.h"
#include "TempDir.h"
#include "data/SafeFile.h"

namespace brevanto::data {
namespace {

using testing::FaultyFileOps;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kOld = "old=content\r\nkept=as is\r\n";

// Enough to need several writes when writes are cut short.
std::string NewContent() {
    std::string bytes;
    for (int i = 0; i < 500; ++i) {
        bytes += "message" + std::to_string(i) + "=response\r\n";
    }
    return bytes;
}

TEST(SafeFile, ReplacesTheContentAndLeavesNothingElse) {
    TempDir dir;
    WriteBytes(dir / "data.dat", kOld);
    EXPECT_EQ(ReplaceFile(SystemFileOps(), dir / "data.dat", NewContent()), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "data.dat"), NewContent());
    EXPECT_EQ(ReplaceFile(SystemFileOps(), dir / "data.dat", ""), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "data.dat"), "");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
}

TEST(SafeFile, GoesOnAfterShortWritesAndInterruptedCalls) {
    TempDir dir;
    WriteBytes(dir / "data.dat", kOld);
    FaultyFileOps ops;
    ops.LimitWrites(7);
    ops.InterruptEachCall(2);
    ops.FailCall("CreateNew", 1, EEXIST);  // a temporary name already taken
    EXPECT_EQ(ReplaceFile(ops, dir / "data.dat", NewContent()), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "data.dat"), NewContent());
    EXPECT_GT(ops.Calls("Write"), 100);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});

    FaultyFileOps reader;
    reader.InterruptEachCall(3);
    EXPECT_EQ(ReadWholeFile(reader, dir / "data.dat").value, NewContent());
}

// Fails every call that a replacement makes, one at a time, with a real error code.
TEST(SafeFile, EveryFailingCallKeepsTheOldFileOrReportsTheNewOne) {
    std::vector<std::string> calls;
    {
        TempDir dir;
        WriteBytes(dir / "data.dat", kOld);
        FaultyFileOps recorder;
        recorder.LimitWrites(4096);
        ASSERT_EQ(ReplaceFile(recorder, dir / "data.dat", NewContent()), std::nullopt);
        calls = recorder.Log();
    }
    ASSERT_GE(std::count(calls.begin(), calls.end(), "Write"), 3) << "writes in several parts";

    std::map<std::string, int> seen;
    bool renamed = false;
    for (const std::string& call : calls) {
        const int n = ++seen[call];
        for (int error : {EIO, ENOSPC}) {
            SCOPED_TRACE(call + " #" + std::to_string(n) + " fails with " + std::strerror(error));
            TempDir dir;
            WriteBytes(dir / "data.dat", kOld);
            FaultyFileOps ops;
            ops.LimitWrites(4096);
            ops.FailCall(call, n, error);
            const FileStatus status = ReplaceFile(ops, dir / "data.dat", NewContent());

            EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"}) << "no temporary file";
            if (call == "CloseDirectory") {
                // Everything is on the disk by then; nothing is lost.
                EXPECT_EQ(status, std::nullopt);
                EXPECT_EQ(ReadBytes(dir / "data.dat"), NewContent());
                continue;
            }
            ASSERT_TRUE(status.has_value());
            EXPECT_EQ(status->path, DisplayPath(dir / "data.dat"));
            EXPECT_EQ(status->reason, std::strerror(error));
            EXPECT_EQ(status->Message(), status->path + ": " + std::strerror(error));
            // Once the rename is done the new content is in place, but the caller still
            // learns that it may not be on the disk.
            EXPECT_EQ(ReadBytes(dir / "data.dat"), renamed ? NewContent() : kOld);
        }
        if (call == "Rename") {
            renamed = true;
        }
    }
    EXPECT_TRUE(renamed);
}

TEST(SafeFile, AWriteThatMakesNoProgressFailsInsteadOfHanging) {
    TempDir dir;
    WriteBytes(dir / "data.dat", kOld);
    FaultyFileOps ops;
    ops.LimitWrites(0);
    const FileStatus status = ReplaceFile(ops, dir / "data.dat", "x");
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(ReadBytes(dir / "data.dat"), kOld);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
}

// Real failures of the system, no injection.
TEST(SafeFile, ReportsTheSystemsReasonWhenTheTargetCannotBeReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.dat");
    WriteBytes(dir / "plain", "a file, not a folder");

    struct Case {
        std::filesystem::path target;
        int error;
    };
    const Case cases[] = {
        {dir / "folder.dat", EISDIR},
        {dir / "missing" / "data.dat", ENOENT},
        {dir / "plain" / "data.dat", ENOTDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.string());
        const FileStatus status = ReplaceFile(SystemFileOps(), c.target, "x=y\r\n");
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(status->path, DisplayPath(c.target));
        EXPECT_EQ(status->reason, std::strerror(c.error));
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.dat"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "folder.dat"));
    EXPECT_EQ(ReadBytes(dir / "plain"), "a file, not a folder");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder.dat", "plain"}));
}

TEST(SafeFile, AReadOnlyFolderKeepsTheOldFile) {
    TempDir dir;
    WriteBytes(dir / "data.dat", kOld);
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    {
        // Permissions do not stop a privileged user (tests may run as root).
        std::ofstream probe(dir / "probe");
        if (probe.is_open()) {
            probe.close();
            std::filesystem::remove(dir / "probe");
            GTEST_SKIP() << "folder permissions do not apply to this user";
        }
    }
    const FileStatus status = ReplaceFile(SystemFileOps(), dir / "data.dat", NewContent());
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->reason, std::strerror(EACCES));
    EXPECT_EQ(ReadBytes(dir / "data.dat"), kOld);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
}

TEST(SafeFile, ReadingReportsMissingAndFailingFiles) {
    TempDir dir;
    FileResult<std::string> missing = ReadWholeFile(SystemFileOps(), dir / "data.dat");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->path, DisplayPath(dir / "data.dat"));
    EXPECT_EQ(missing.error->reason, std::strerror(ENOENT));

    std::filesystem::create_directory(dir / "folder");
    EXPECT_FALSE(ReadWholeFile(SystemFileOps(), dir / "folder").ok());

    // Larger than one read, so the failure comes part way through.
    const std::string big(300000, 'x');
    WriteBytes(dir / "data.dat", big);
    FaultyFileOps ops;
    ops.FailCall("Read", 2, EIO);
    FileResult<std::string> failed = ReadWholeFile(ops, dir / "data.dat");
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error->reason, std::strerror(EIO));
    EXPECT_EQ(failed.value, "") << "no half-read content";
    EXPECT_EQ(ops.Calls("Close"), 1);

    EXPECT_EQ(ReadWholeFile(SystemFileOps(), dir / "data.dat").value, big);
}

TEST(SafeFile, LeftoversOfCutShortReplacementsAreRemovedAndNothingElse) {
    TempDir dir;
    WriteBytes(dir / "data.dat", kOld);
    const std::vector<std::string> kept = {
        "data.dat",           "data.dat.0123456789abcdeg.tmp",  "data.dat.0123456789abcde.tmp",
        "data.dat.notes.tmp", "other.dat.0123456789abcdef.tmp", "xdata.dat.0123456789abcdef.tmp"};
    for (const std::string& name : kept) {
        if (name != "data.dat") {
            WriteBytes(dir / name, "keep");
        }
    }
    WriteBytes(dir / "data.dat.0123456789abcdef.tmp", "half a tab");
    WriteBytes(dir / "data.dat.FEDCBA9876543210.tmp", "");

    RemoveLeftoverTemporaries(SystemFileOps(), dir / "data.dat");
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.Entries(), expected);
    EXPECT_EQ(ReadBytes(dir / "data.dat"), kOld);

    // The name a real replacement uses is recognised: no guessing about its form.
    FaultyFileOps keepTemp;  // as if killed before the rename: the temporary file stays
    keepTemp.FailCall("Rename", 1, EIO);
    keepTemp.FailCall("Remove", 1, EIO);
    ASSERT_TRUE(ReplaceFile(keepTemp, dir / "data.dat", "new").has_value());
    ASSERT_EQ(dir.Entries().size(), expected.size() + 1);
    RemoveLeftoverTemporaries(SystemFileOps(), dir / "data.dat");
    EXPECT_EQ(dir.Entries(), expected);
}

TEST(SafeFile, CreatingWhenMissingKeepsAnExistingFile) {
    TempDir dir;
    EXPECT_EQ(CreateIfMissing(SystemFileOps(), dir / "data.dat"), std::nullopt);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
    EXPECT_EQ(ReadBytes(dir / "data.dat"), "");
    WriteBytes(dir / "data.dat", kOld);
    EXPECT_EQ(CreateIfMissing(SystemFileOps(), dir / "data.dat"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "data.dat"), kOld);

    const FileStatus status = CreateIfMissing(SystemFileOps(), dir / "missing" / "data.dat");
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->reason, std::strerror(ENOENT));
}

}  // namespace
}  // namespace brevanto::data

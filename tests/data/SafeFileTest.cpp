// Replacing and reading the data file through failing, interrupted and short file calls,
// what a replacement keeps of the old file (its link, its mode), and the lock that keeps a
// second Brevanto out of the folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "FaultyFileOps.h"
#include "TempDir.h"
#include "data/InstanceLock.h"
#include "data/SafeFile.h"

namespace brevanto::data {
namespace {

namespace fs = std::filesystem;
using testing::FaultyFileOps;
using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::vector<std::string>;

const std::string kOld = "old=content\r\nkept=as is\r\n";

// Enough to need several writes when writes are cut short.
std::string NewContent() {
    std::string bytes;
    for (int i = 0; i < 500; ++i) {
        bytes += "message" + std::to_string(i) + "=response\r\n";
    }
    return bytes;
}

class SafeFile : public ::testing::Test {
  protected:
    void SetUp() override { WriteBytes(file, kOld); }

    // The file holds content and no temporary file is left beside it.
    void ExpectOnlyFile(const std::string& content) const {
        EXPECT_EQ(ReadBytes(file), content);
        EXPECT_EQ(dir.Entries(), Names{"data.dat"});
    }

    testing::TempDir dir;
    std::filesystem::path file = dir / "data.dat";
};

TEST_F(SafeFile, ReplacesTheContentDespiteShortWritesInterruptionsAndTakenNames) {
    EXPECT_EQ(ReplaceFile(SystemFileOps(), file, ""), std::nullopt);
    ExpectOnlyFile("");

    FaultyFileOps ops;
    ops.LimitWrites(7);
    ops.InterruptEachCall(2);
    ops.FailCall("CreateNew", 1, EEXIST);  // a temporary name already taken
    EXPECT_EQ(ReplaceFile(ops, file, NewContent()), std::nullopt);
    EXPECT_GT(ops.Calls("Write"), 100);
    ExpectOnlyFile(NewContent());

    FaultyFileOps reader;
    reader.InterruptEachCall(3);
    EXPECT_EQ(ReadWholeFile(reader, file).value, NewContent());

    FaultyFileOps stuck;  // a write that makes no progress fails instead of hanging
    stuck.LimitWrites(0);
    EXPECT_TRUE(ReplaceFile(stuck, file, "x").has_value());
    ExpectOnlyFile(NewContent());
}

// Real failures of the system, no injection.
TEST_F(SafeFile, ReportsTheSystemsReasonWhenTheTargetCannotBeWritten) {
    std::filesystem::create_directory(dir / "folder.dat");
    WriteBytes(dir / "plain", "a file, not a folder");
    const std::pair<std::filesystem::path, int> cases[] = {
        {dir / "folder.dat", EISDIR},
        {dir / "missing" / "data.dat", ENOENT},
        {dir / "plain" / "data.dat", ENOTDIR},
    };
    for (const auto& [target, error] : cases) {
        SCOPED_TRACE(target.string());
        const FileStatus status = ReplaceFile(SystemFileOps(), target, "x=y\r\n");
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(status->path, DisplayPath(target));
        EXPECT_EQ(status->reason, std::strerror(error));
    }
    EXPECT_EQ(CreateIfMissing(SystemFileOps(), dir / "missing" / "data.dat")->reason,
              std::strerror(ENOENT));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "folder.dat"));
    EXPECT_EQ(ReadBytes(dir / "plain"), "a file, not a folder");
    EXPECT_EQ(dir.Entries(), (Names{"data.dat", "folder.dat", "plain"}));
}

TEST_F(SafeFile, AReadOnlyFolderKeepsTheOldFile) {
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (std::ofstream(dir / "probe").is_open()) {  // tests may run as root
        GTEST_SKIP() << "folder permissions do not apply to this user";
    }
    EXPECT_EQ(ReplaceFile(SystemFileOps(), file, NewContent())->reason, std::strerror(EACCES));
    ExpectOnlyFile(kOld);
}

TEST_F(SafeFile, ReadingReportsMissingAndFailingFiles) {
    const auto missing = ReadWholeFile(SystemFileOps(), dir / "missing.dat");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->path, DisplayPath(dir / "missing.dat"));
    // Messages are in the code page: a UTF-8 "é" in a folder's name shows as its ANSI byte.
    EXPECT_EQ(DisplayPath(std::filesystem::path(u8"caf\u00e9/data.dat")), "caf\xE9/data.dat");
    EXPECT_EQ(missing.error->reason, std::strerror(ENOENT));
    EXPECT_FALSE(ReadWholeFile(SystemFileOps(), dir.path()).ok());

    // Larger than one read, so the failure comes part way through.
    const std::string big(300000, 'x');
    WriteBytes(file, big);
    FaultyFileOps ops;
    ops.FailCall("Read", 2, EIO);
    const auto failed = ReadWholeFile(ops, file);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error->reason, std::strerror(EIO));
    EXPECT_EQ(failed.value, "") << "no half-read content";
    EXPECT_EQ(ops.Calls("Close"), 1);
    EXPECT_EQ(ReadWholeFile(SystemFileOps(), file).value, big);
}

TEST_F(SafeFile, LeftoversOfCutShortReplacementsAreRemovedAndNothingElse) {
    // Only the exact form of a replacement's temporary name, sixteen hex digits, goes.
    Names kept = {
        "data.dat",           "data.dat.0123456789abcdeg.tmp",  "data.dat.0123456789abcde.tmp",
        "data.dat.notes.tmp", "other.dat.0123456789abcdef.tmp", "xdata.dat.0123456789abcdef.tmp"};
    for (std::size_t i = 1; i < kept.size(); ++i) {
        WriteBytes(dir / kept[i], "keep");
    }
    WriteBytes(dir / "data.dat.0123456789abcdef.tmp", "half a tab");
    WriteBytes(dir / "data.dat.FEDCBA9876543210.tmp", "");

    RemoveLeftoverTemporaries(SystemFileOps(), file);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dir.Entries(), kept);
    EXPECT_EQ(ReadBytes(file), kOld);

    // The name a real replacement uses is recognised: as if killed before the rename.
    FaultyFileOps killed;
    killed.FailCall("Rename", 1, EIO);
    killed.FailCall("Remove", 1, EIO);
    ASSERT_TRUE(ReplaceFile(killed, file, "new").has_value());
    ASSERT_EQ(dir.Entries().size(), kept.size() + 1);
    RemoveLeftoverTemporaries(SystemFileOps(), file);
    EXPECT_EQ(dir.Entries(), kept);
}

TEST_F(SafeFile, ALinkStaysALinkAndTheTargetKeepsItsMode) {
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::remove(file);
    fs::create_directory(dir / "real");
    WriteBytes(dir / "real" / "table.txt", "old\r\n");
    fs::permissions(dir / "real" / "table.txt", mode);
    fs::create_symlink("real/table.txt", file);

    ASSERT_EQ(ReplaceFile(SystemFileOps(), file, "new\r\n"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadBytes(dir / "real" / "table.txt"), "new\r\n");
    EXPECT_EQ(fs::status(dir / "real" / "table.txt").permissions(), mode);
    EXPECT_EQ(dir.Entries(), (Names{"data.dat", "real"}));
    EXPECT_EQ(fs::directory_iterator(dir / "real")->path().filename(), "table.txt");

    // A link to a file not there yet creates the target.
    fs::remove(dir / "real" / "table.txt");
    ASSERT_EQ(ReplaceFile(SystemFileOps(), file, "x"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "real" / "table.txt"), "x");
}

TEST_F(SafeFile, OneLockHolderPerFolderAndAKilledHolderBlocksNobody) {
    {
        InstanceLock first(file);
        EXPECT_EQ(first.state(), InstanceLock::State::Held);
        EXPECT_EQ(InstanceLock(file).state(), InstanceLock::State::HeldElsewhere);
        testing::TempDir other;
        EXPECT_EQ(InstanceLock(other / "data.dat").state(), InstanceLock::State::Held);
    }
    EXPECT_EQ(InstanceLock(file).state(), InstanceLock::State::Held);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        InstanceLock held(file);
        char c = held.state() == InstanceLock::State::Held ? 'H' : 'x';
        (void)!::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'H');
    EXPECT_EQ(InstanceLock(file).state(), InstanceLock::State::HeldElsewhere);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(InstanceLock(file).state(), InstanceLock::State::Held);
    // No lock file can be made: the program runs unguarded rather than not at all.
    EXPECT_EQ(InstanceLock(dir / "missing" / "data.dat").state(), InstanceLock::State::Unavailable);
}

}  // namespace
}  // namespace brevanto::data

// What the replacement keeps of the old file (its link, its mode), what it refuses to
// touch, and the lock that keeps a second Brevanto out of the folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"
#include "data/InstanceLock.h"
#include "data/SafeFile.h"

namespace brevanto::data {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::vector<std::string>;

TEST(FileSafety, ALinkStaysALinkAndTheTargetKeepsItsMode) {
    testing::TempDir dir;
    fs::create_directory(dir / "real");
    WriteBytes(dir / "real" / "table.txt", "old\r\n");
    fs::permissions(dir / "real" / "table.txt",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/table.txt", dir / "data.dat");

    ASSERT_EQ(ReplaceFile(SystemFileOps(), dir / "data.dat", "new\r\n"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(dir / "data.dat"));
    EXPECT_EQ(ReadBytes(dir / "real" / "table.txt"), "new\r\n");
    EXPECT_EQ(fs::status(dir / "real" / "table.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.Entries(), (Names{"data.dat", "real"}));
    EXPECT_EQ(fs::directory_iterator(dir / "real")->path().filename(), "table.txt");

    // A link to a file not there yet creates the target.
    fs::remove(dir / "real" / "table.txt");
    ASSERT_EQ(ReplaceFile(SystemFileOps(), dir / "data.dat", "x"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "real" / "table.txt"), "x");
}

TEST(InstanceLock, OneHolderPerFolderAndAKilledHolderBlocksNobody) {
    testing::TempDir dir;
    const fs::path file = dir / "data.dat";
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

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "FaultyFileOps.h"
#include "TempDir.h"
#include "data/TableFile.h"
#include "data/modFileIO.h"

// The data file's format, then the four routines on real files: what reaches the disk, and
// what a caller learns when the file is missing or failing.
namespace brevanto::modFileIO {
namespace {

using Lines = std::vector<std::string>;

// Reading, storing and the table writer are checked against their literal forms by the
// fuzz replays; these pin down readings of the format those forms could get wrong too.
TEST(FileFormat, LineEndsAndMessagesHoldingEqualsSigns) {
    // Any line end: a carriage return swallows one line feed right after it, not before it.
    EXPECT_EQ(SplitLines("a\r\r\nb\n\r\n"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(JoinLines({"a", "", "b=c"}), "a\r\n\r\nb=c\r\n");

    // A message holding "=" is stored over the first line that begins with it.
    Lines lines = {"a=B=c"};
    StoreEntry(lines, "A=b", "d");
    EXPECT_EQ(lines, Lines{"a=b=d"});

    const std::string equals(50000, '=');
    const std::vector<TablePair> pairs{{"x", equals}, {"x", "y"}, {"x=" + equals, "z"}};
    lines = TableLines(pairs);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x=y");
    EXPECT_EQ(lines[1].size(), 2 + equals.size() + 2);
}

using testing::FaultyFileOps;
using testing::ReadBytes;
using testing::WriteBytes;

class FileRoutines : public ::testing::Test {
  protected:
    testing::TempDir dir;
    std::filesystem::path path = dir / "data.dat";
    data::MessageTable grid;
};

TEST_F(FileRoutines, SaveSortAndLoadAsTheSaveCommandDoes) {
    WriteBytes(path, "");
    ASSERT_EQ(SaveEntry("  Hi", " there ", path), std::nullopt);
    EXPECT_EQ(ReadBytes(path), "hi=there\r\n");

    ASSERT_EQ(SaveEntry("Zebra", "1", path), std::nullopt);
    ASSERT_EQ(SaveEntry("hi there", "x", path), std::nullopt);
    ASSERT_EQ(SaveEntry("HI", "y", path), std::nullopt);
    ASSERT_EQ(SaveEntry("", "", path), std::nullopt);
    EXPECT_EQ(ReadBytes(path), "hi=y\r\nzebra=1\r\nhi there=x\r\n =\r\n");

    ASSERT_EQ(SortFile(path), std::nullopt);
    EXPECT_EQ(ReadBytes(path), " =\r\nhi there=x\r\nhi=y\r\nzebra=1\r\n");

    ASSERT_EQ(LoadGrid(path, grid), std::nullopt);
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cell(0, 0), " ");
    EXPECT_EQ(grid.Cell(1, 0), "hi there");
    EXPECT_EQ(grid.Cell(3, 1), "1");

    EXPECT_EQ(GetEntry(" HI THERE ", path).value, "x");
    EXPECT_EQ(GetEntry("nobody", path).value, "");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
}

TEST_F(FileRoutines, AMissingFileIsAnErrorAndNothingIsCreated) {
    const std::string reason = std::strerror(ENOENT);

    FileResult<std::string> entry = GetEntry("hi", path);
    ASSERT_FALSE(entry.ok());
    EXPECT_EQ(entry.value, "");
    EXPECT_EQ(entry.error->reason, reason);
    EXPECT_NE(entry.error->Message().find("data.dat"), std::string::npos);

    grid.SetRows(1);
    grid.SetCell(0, 0, "unsaved edit");
    EXPECT_EQ(LoadGrid(path, grid)->reason, reason);
    EXPECT_EQ(grid.Cell(0, 0), "unsaved edit") << "a failed load keeps what the user sees";

    EXPECT_EQ(SaveEntry("hi", "x", path)->reason, reason);
    EXPECT_EQ(SortFile(path)->reason, reason);
    EXPECT_TRUE(dir.Entries().empty());

    ASSERT_EQ(CreateIfMissing(path), std::nullopt);
    EXPECT_EQ(ReadBytes(path), "");
}

// The routines take the file calls they are given; the sweep over every failing call is
// SafeFile's.
TEST_F(FileRoutines, FailuresKeepTheOldFileAndAFailedReadWritesNothing) {
    WriteBytes(path, "b=1\r\na=2\r\n");
    FaultyFileOps failing_write;
    failing_write.FailCall("Write", 0, ENOSPC);
    EXPECT_EQ(SaveEntry("new", "entry", path, failing_write)->reason, std::strerror(ENOSPC));
    EXPECT_EQ(SortFile(path, failing_write)->reason, std::strerror(ENOSPC));

    FaultyFileOps failing_read;
    failing_read.FailCall("Read", 0, EIO);
    EXPECT_EQ(SaveEntry("new", "entry", path, failing_read)->reason, std::strerror(EIO));
    EXPECT_FALSE(GetEntry("a", path, failing_read).ok());
    EXPECT_EQ(failing_read.Calls("CreateNew"), 0) << "nothing written after a failed read";

    EXPECT_EQ(ReadBytes(path), "b=1\r\na=2\r\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.dat"});
}

// A megabyte of text without any line ending is one line.
TEST_F(FileRoutines, AMegabyteLineIsOneEntry) {
    std::string big(1 << 20, 'a');
    big[500000] = '=';
    big[500001] = '\t';
    WriteBytes(path, big);
    EXPECT_EQ(GetEntry(std::string(500000, 'A'), path).value.size(), big.size() - 500001);
    ASSERT_EQ(LoadGrid(path, grid), std::nullopt);
    EXPECT_EQ(grid.Rows(), 1);
    ASSERT_EQ(SaveEntry("b", "c", path), std::nullopt);
    ASSERT_EQ(SortFile(path), std::nullopt);
    EXPECT_EQ(ReadBytes(path), big + "\r\nb=c\r\n");
}

}  // namespace
}  // namespace brevanto::modFileIO

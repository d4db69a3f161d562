#include <gtest/gtest.h>

#include "RandomText.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

// The data file's format and the in-memory steps of the file routines.
namespace brevanto::modFileIO {
namespace {

using Lines = std::vector<std::string>;

TEST(FileFormat, OnlyACarriageReturnEndsALine) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\n"), Lines{"a\nb\n"});
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\r\nb"), (Lines{"a\n", "b"}));
    EXPECT_EQ(SplitLines(std::string_view("x\0=y", 4)), Lines{std::string("x\0=y", 4)});
    EXPECT_EQ(JoinLines({"a", "", "b=c"}), "a\r\n\r\nb=c\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(FileFormat, LookupNormalisesTheKeyButNotTheLinesMessage) {
    EXPECT_EQ(FindEntry("HELLO=Hi there\r\n", "  Hello  "), "Hi there");
    EXPECT_EQ(FindEntry("hello =Hi\r\n", "hello"), "");
    EXPECT_EQ(FindEntry("a=b=c\r\n", "a"), "b=c");
    EXPECT_EQ(FindEntry("hi=  yo  \r\n", "hi"), "yo");
    EXPECT_EQ(FindEntry("hi=\r\nhi=later\r\n", "hi"), "") << "the first match wins";
    EXPECT_EQ(FindEntry("no entry\r\nx=1\r\nx=2", "X"), "1");
    EXPECT_EQ(FindEntry("\tx=1\r\n", "x"), "") << "only spaces are trimmed";
    EXPECT_EQ(FindEntry("\xC4pfel=ja\r\n", "\xE4PFEL"), "ja") << "code page capitals fold";
    EXPECT_EQ(FindEntry("", "x"), "");
}

TEST(FileFormat, StoringNormalisesAndReplacesTheFirstLineInPlace) {
    Lines lines;
    StoreEntry(lines, "  Hi", " there ");
    EXPECT_EQ(lines, Lines{"hi=there"});

    lines = {"", "no equals", "HI=hello", "oh hi=hey", "hi=second"};
    StoreEntry(lines, "hi", "new");
    EXPECT_EQ(lines, (Lines{"", "no equals", "hi=new", "oh hi=hey", "hi=second"}));

    lines = {"oh hi=hey"};
    StoreEntry(lines, "HI", "x");
    EXPECT_EQ(lines, (Lines{"oh hi=hey", "hi=x"}));

    lines = {};
    StoreEntry(lines, "   ", "r");
    EXPECT_EQ(lines, Lines{" =r"});
    StoreEntry(lines, "", "s");
    EXPECT_EQ(lines, Lines{" =s"});

    // A message holding "=" matches any line that begins with it.
    lines = {"a=B=c"};
    StoreEntry(lines, "A=b", "d");
    EXPECT_EQ(lines, Lines{"a=b=d"});
}

TEST(FileFormat, SortingOrdersUnsignedBytesAndDropsRepeats) {
    Lines lines{"b=2", "a=1", "b=2", ""};
    SortLines(lines);
    EXPECT_EQ(lines, (Lines{"", "a=1", "b=2"}));

    lines = {"hi=y", "apple=1", "\xE4=1", "hi there=x", "Zebra=1"};
    SortLines(lines);
    EXPECT_EQ(lines, (Lines{"Zebra=1", "apple=1", "hi there=x", "hi=y", "\xE4=1"}));

    EXPECT_EQ(SortedContent(""), "") << "a file without lines stays empty";
    EXPECT_EQ(SortedContent("b\r\n\r\n\ra"), "\r\na\r\nb\r\n");
}

TEST(FileFormat, TableHoldsTheEntriesInFileOrder) {
    data::MessageTable grid;
    grid.SetRows(3);
    grid.SetCell(0, 0, "old");
    FillTable("x=1\r\nno equals\r\n HELLO = Hi \r\n", grid);
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cell(0, 0), "x");
    EXPECT_EQ(grid.Cell(0, 1), "1");
    EXPECT_EQ(grid.Cell(1, 0), " hello ");
    EXPECT_EQ(grid.Cell(1, 1), "Hi");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);

    FillTable("nothing\r\n\r\n", grid);
    EXPECT_EQ(grid.Rows(), 0);
}

// The fast routines against their literal forms, on random files.
TEST(FileFormat, MatchesTheLiteralRoutinesOnRandomFiles) {
    testing::RandomText random(20240601);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = random.Text(60);
        SCOPED_TRACE(::testing::Message() << "round " << round);

        const Lines lines = oracle::LiteralReadLines(bytes);
        ASSERT_EQ(SplitLines(bytes), lines);
        ASSERT_EQ(oracle::LiteralReadLines(JoinLines(lines)), lines);

        ASSERT_EQ(SortedContent(bytes), oracle::LiteralWriteLines(oracle::LiteralSortFile(lines)));
        if (lines.size() <= 40) {
            Lines sorted = lines;
            SortLines(sorted);
            ASSERT_EQ(sorted, oracle::LiteralSortFile(lines));
        }

        // Keys taken from the file's own message parts find something; random ones mostly
        // do not.
        std::string key = random.Text(6, testing::RandomText::kCellAlphabet);
        if (!lines.empty() && random.Chance(70)) {
            const std::string& line = lines[random.Number(0, lines.size() - 1)];
            key = "  " + line.substr(0, line.find('=')) + " ";
        }
        ASSERT_EQ(FindEntry(bytes, key), oracle::LiteralGetEntry(bytes, key));

        data::MessageTable fast;
        fast.SetRows(static_cast<int>(random.Number(0, 4)));
        fast.SetRow(static_cast<int>(random.Number(0, 4)));
        fast.SetCol(static_cast<int>(random.Number(0, 1)));
        fast.SetText("before");
        data::MessageTable literal = fast;
        FillTable(bytes, fast);
        oracle::LiteralLoadGrid(bytes, literal);
        ASSERT_EQ(fast.Rows(), literal.Rows());
        ASSERT_EQ(fast.Row(), literal.Row());
        ASSERT_EQ(fast.Col(), literal.Col());
        for (int row = 0; row < fast.Rows(); ++row) {
            ASSERT_EQ(fast.Cell(row, 0), literal.Cell(row, 0));
            ASSERT_EQ(fast.Cell(row, 1), literal.Cell(row, 1));
        }

        Lines stored = lines;
        Lines literal_stored = lines;
        const std::string message = random.Text(5, testing::RandomText::kCellAlphabet);
        const std::string response = random.Text(5, testing::RandomText::kCellAlphabet);
        StoreEntry(stored, message, response);
        oracle::LiteralSaveEntry(literal_stored, message, response);
        ASSERT_EQ(stored, literal_stored);
    }
}

}  // namespace
}  // namespace brevanto::modFileIO

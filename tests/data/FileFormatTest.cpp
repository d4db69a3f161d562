#include <gtest/gtest.h>

#include "data/TableFile.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

// The data file's format, the in-memory steps of the file routines and the table writer.
namespace brevanto::modFileIO {
namespace {

using Lines = std::vector<std::string>;

// Line splitting, lookup and storing are checked against their literal forms below; these
// few cases pin down the corners that random files seldom reach.
TEST(FileFormat, AnyLineEndIsReadAndLinesAreWrittenWithCrLf) {
    EXPECT_EQ(SplitLines("a\r\r\nb\n\r\n"), (Lines{"a", "", "b", ""}));
    // A file saved by a Linux editor, and one with a line feed before a carriage return.
    EXPECT_EQ(SplitLines("hi=1\nbye=2\n"), (Lines{"hi=1", "bye=2"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(JoinLines({"a", "", "b=c"}), "a\r\n\r\nb=c\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(FileFormat, LookupNormalisesTheKeyButNotTheLinesMessage) {
    const struct {
        std::string file, key, expected;
    } cases[] = {
        {"hi=\r\nhi=later\r\n", "hi", ""},  // the first match wins
        {"\tx=1\r\n", "x", ""},             // only spaces are trimmed
        {"\xC4pfel=ja\r\n", "\xE4PFEL", "ja"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindEntry(c.file, c.key), c.expected) << c.file;
    }
}

TEST(FileFormat, StoringNormalisesAndReplacesTheFirstLineInPlace) {
    const struct {
        Lines before;
        std::string message, response;
        Lines after;
    } cases[] = {
        {{"", "x", "HI=hello", "oh hi=hey", "hi=2"},
         "hi",
         "new",
         {"", "x", "hi=new", "oh hi=hey", "hi=2"}},
        {{"oh hi=hey"}, "HI", "x", {"oh hi=hey", "hi=x"}},
        {{}, "   ", "r", {" =r"}},
        {{" =r"}, "", "s", {" =s"}},
        // A message holding "=" matches any line that begins with it.
        {{"a=B=c"}, "A=b", "d", {"a=b=d"}},
    };
    for (const auto& c : cases) {
        Lines lines = c.before;
        StoreEntry(lines, c.message, c.response);
        EXPECT_EQ(lines, c.after) << c.message;
    }
}

Lines Literal(const std::vector<TablePair>& pairs) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const TablePair& pair : pairs) {
        rows.emplace_back(pair.message, pair.response);
    }
    return oracle::LiteralSaveRows(rows);
}

// Equal messages share the first row's line with the last response. A message holding "="
// matches earlier lines it begins, and a replaced response changes which keys a line answers.
TEST(TableFile, EqualMessagesShareTheFirstMatchingLine) {
    const std::pair<std::vector<TablePair>, Lines> cases[] = {
        {{}, {}},
        {{{"a=b", "c"}, {"A", "X=y"}, {"a=X", "z"}, {"a=b", "w"}}, {"a=x=z", "a=b=w"}},
        {{{"k", "1=2"}, {"k", "3"}, {"k=1", "again"}}, {"k=3", "k=1=again"}},
    };
    for (const auto& [pairs, lines] : cases) {
        EXPECT_EQ(TableLines(pairs), lines);
        EXPECT_EQ(Literal(pairs), lines);
    }
}

TEST(TableFile, CopesWithLinesMadeOfEqualsSigns) {
    const std::string equals(50000, '=');
    const std::vector<TablePair> pairs{{"x", equals}, {"x", "y"}, {"x=" + equals, "z"}};
    const Lines lines = TableLines(pairs);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "x=y");
    EXPECT_EQ(lines[1].size(), 2 + equals.size() + 2);
}

}  // namespace
}  // namespace brevanto::modFileIO

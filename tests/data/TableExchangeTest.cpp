// The table: its model, CSV, import and export, and the pairs learning brings to it.
#include <gtest/gtest.h>

#include "data/Csv.h"
#include "data/Learning.h"
#include "data/MessageTable.h"
#include "data/TableExchange.h"
#include "oracles/LiteralLearning.h"

namespace brevanto::data {
namespace {

using Records = std::vector<CsvRecord>;
using Pairs = std::vector<LearnedPair>;

TEST(Csv, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks) {
    const struct {
        const char* text;
        Records records;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc\rd", {{"a", "b"}, {"c"}, {"d"}}},
        {"\"x, y\",\"say \"\"hi\"\"\"\r\n", {{"x, y", "say \"hi\""}}},
        {"\"two\r\nlines\",z", {{"two\r\nlines", "z"}}},
        {",\r\n\"\"\n", {{"", ""}, {""}}},
        {"\"open, never closed\nrest", {{"open, never closed\nrest"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCsv(c.text), c.records) << c.text;
    }
}

TEST(Csv, WrittenFieldsReadBackAsTheyWere) {
    const std::string fields[] = {"plain", "a,b", "say \"hi\"", "two\r\nlines", " padded ", ""};
    for (const std::string& field : fields) {
        EXPECT_EQ(ParseCsv(CsvField(field) + "," + CsvField("x") + "\r\n"), Records({{field, "x"}}))
            << field;
    }
    EXPECT_EQ(CsvField("plain"), "plain");
}

ImportReport Counts(int added, int kept, int equals, int codePage, int noEquals, int noMessage) {
    return {added, kept, equals, codePage, noEquals, noMessage};
}

TEST(TableImport, ReadsPairsAndCountsWhatCannotBeStored) {
    const struct {
        const char* bytes;
        ExchangeFormat format;
        std::vector<std::pair<std::string, std::string>> pairs;
        ImportReport report;
    } cases[] = {
        // Header, line breaks (CR LF and LF) and a comma in fields, "=" in a message, a
        // response alone, a blank record.
        {"\xEF\xBB\xBFMessage,Response\r\n\"how\r\nare\nyou\",\"fine, thanks\"\r\na=b,c\r\n,"
         "lonely\r\n\r\n",
         ExchangeFormat::Csv,
         {{"how are you", "fine, thanks"}},
         Counts(0, 0, 1, 0, 0, 1)},
        // UTF-8: "é" fits the code page, the snowman and the four-byte smiley do not.
        {"caf\xC3\xA9,ok\n\xE2\x98\x83,cold\n\xF0\x9F\x98\x80,smile\n",
         ExchangeFormat::Csv,
         {{"caf\xE9", "ok"}},
         Counts(0, 0, 0, 2, 0, 0)},
        // Not UTF-8 from its first byte on and no byte order mark: ANSI as it is. A lone
        // message has no response.
        {"\xE9tat,ok\nbye", ExchangeFormat::Csv, {{"\xE9tat", "ok"}, {"bye", ""}}, {}},
        // A byte that cannot begin a UTF-8 character: the euro sign of Windows-1252.
        {"\x80 5,price\n", ExchangeFormat::Csv, {{"\x80 5", "price"}}, {}},
        {"hi=hello\r\nno separator\r\n=orphan\r\nx=a=b\r\n",
         ExchangeFormat::DataFile,
         {{"hi", "hello"}, {"x", "a=b"}},
         Counts(0, 0, 0, 0, 1, 1)},
    };
    for (const auto& c : cases) {
        ImportReport report;
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const auto& pair : ReadImportPairs(c.bytes, c.format, report)) {
            pairs.emplace_back(pair.message, pair.response);
        }
        EXPECT_EQ(pairs, c.pairs) << c.bytes;
        EXPECT_EQ(report, c.report) << c.bytes;
    }
    EXPECT_EQ(FormatOf("x/Table.CSV"), ExchangeFormat::Csv);
    EXPECT_EQ(FormatOf("x/data.dat"), ExchangeFormat::DataFile);
}

TEST(TableImport, MessagesAlreadyInTheTableKeepTheirResponse) {
    MessageTable table;
    table.SetRows(1);
    table.SetCell(0, 0, "Hi");
    table.SetCell(0, 1, "hello");
    ImportReport report;
    MergePairs(table, {{" HI ", "changed"}, {"bye", " see you "}, {"Bye", "again"}, {"new", ""}},
               report);
    EXPECT_EQ(report, Counts(2, 2, 0, 0, 0, 0));
    ASSERT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Cell(0, 1), "hello");
    EXPECT_EQ(table.Cell(1, 0), "bye");
    EXPECT_EQ(table.Cell(1, 1), "see you");
    EXPECT_EQ(table.Cell(2, 0), "new");
    EXPECT_EQ(table.Row(), 1);
    EXPECT_EQ(table.Col(), 0);
}

TEST(TableExport, CsvIsUtf8WithByteOrderMarkAndHeader) {
    MessageTable table;
    table.SetRows(2);
    table.SetCell(0, 0, "caf\xE9");
    table.SetCell(0, 1, "a, \"b\"");
    EXPECT_EQ(CsvContent(table),
              "\xEF\xBB\xBFMessage,Response\r\ncaf\xC3\xA9,\"a, \"\"b\"\"\"\r\n,\r\n");
}

// Transcripts as learning sees them: each line's line feed has become a space. These rows
// pin down what the literal split the fuzz replay trusts reads the rule as; more corners are
// its seeds.
TEST(LearningSplit, BuddyStretchesAnsweredByTheUserBecomePairs) {
    const struct {
        std::string transcript, user;
        Pairs expected;
    } cases[] = {
        // Text before the buddy's first line is skipped.
        {"Kim: hey Sam: hi Kim: hello ", "Kim: ", {{"hi", "hello"}}},
        // Labels are found case-sensitively but removed without regard to case.
        {"Sam: hi SAM: there Kim: yo ", "Kim: ", {{"hi there", "yo"}}},
        {"Sam: hi Kim: hello sam: more ", "Kim: ", {{"hi", "hello sam: more"}}},
        // Signed off, the user's label is never in a transcript.
        {"Sam: hi Kim: hello ", "[not online]: ", {}},
        // The user's label begins with the buddy's, and the user spoke first.
        {"Sam: Kim: hi Sam: yo Sam: Kim: ok ", "Sam: Kim: ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitConversation(c.transcript, "Sam: ", c.user), c.expected) << c.transcript;
        EXPECT_EQ(oracles::LiteralLearning(c.transcript, "Sam: ", c.user), c.expected)
            << c.transcript;
    }
}

TEST(MessageTable, GrowingAddsEmptyRowsShrinkingDropsTheLastAndClampsTheCurrentRow) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetCol(1);
    table.SetText("yo");
    table.SetRows(5);
    EXPECT_EQ(table.Row(), 1);
    EXPECT_EQ(table.Col(), 1);
    EXPECT_EQ(table.Text(), "yo");
    EXPECT_EQ(table.Cell(4, 0), "");
    EXPECT_EQ(table.Cell(4, 1), "");

    table.SetCell(2, 0, "m2");
    table.SetCell(4, 0, "m4");
    table.SetRow(4);
    table.SetCol(0);
    table.SetRows(3);
    EXPECT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Text(), "m2");
    table.SetRows(5);
    EXPECT_EQ(table.Cell(4, 0), "") << "dropped rows are gone";

    table.SetRow(0);  // moves onto the last remaining row even from above it
    table.SetRows(2);
    EXPECT_EQ(table.Row(), 1);
}

TEST(MessageTable, WithoutRowsThereIsNoCurrentCell) {
    MessageTable table;
    table.SetRows(2);
    table.SetRow(1);
    table.SetRows(0);
    EXPECT_EQ(table.Text(), "");
    table.SetText("lost");
    table.SetRow(7);
    EXPECT_EQ(table.Row(), 0);
    table.SetRows(1);
    EXPECT_EQ(table.Text(), "") << "text set without rows must not come back";
    table.SetRows(-3);
    EXPECT_EQ(table.Rows(), 0);
}

TEST(MessageTable, PositionsAreClampedAndCellsOutsideAreEmpty) {
    MessageTable table;
    table.SetRows(3);
    table.SetRow(10);
    table.SetCol(5);
    EXPECT_EQ(table.Row(), 2);
    EXPECT_EQ(table.Col(), 1);
    table.SetRow(-1);
    table.SetCol(-2);
    EXPECT_EQ(table.Row(), 0);
    EXPECT_EQ(table.Col(), 0);
    table.SetCell(1, 1, "kept");
    EXPECT_EQ(table.Cell(1, 1), "kept");
    for (const auto& [row, col] : {std::pair{3, 0}, {0, 2}, {-1, 0}}) {
        table.SetCell(row, col, "outside");
        EXPECT_EQ(table.Cell(row, col), "");
    }
}

TEST(MessageTable, RemovingRowsKeepsTheOthersInOrder) {
    MessageTable table;
    table.SetRows(5);
    for (int row = 0; row < 5; ++row) {
        table.SetCell(row, 0, std::to_string(row));
    }
    table.RemoveRows({3, 1, 3, 9, -1});
    ASSERT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.Cell(0, 0) + table.Cell(1, 0) + table.Cell(2, 0), "024");
    EXPECT_EQ(table.Row(), 1);
    table.RemoveRows({2});
    EXPECT_EQ(table.Row(), 1) << "onto the last row";
    table.RemoveRows({});
    EXPECT_EQ(table.Rows(), 2);
}

}  // namespace
}  // namespace brevanto::data

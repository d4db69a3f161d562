#include <gtest/gtest.h>

#include <cctype>

#include "RandomText.h"
#include "data/TableFile.h"
#include "oracles/LiteralFileIO.h"

namespace brevanto::modFileIO {
namespace {

using Lines = std::vector<std::string>;

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
        {{{"Hi", "a"}, {"hi there", "b"}, {" HI ", " c "}, {"", "empty"}, {"  ", "blank"}},
         {"hi=c", "hi there=b", " =blank"}},
        {{{"a=b", "c"}, {"A", "X=y"}, {"a=X", "z"}, {"a=b", "w"}}, {"a=x=z", "a=b=w"}},
        {{{"k", "1=2"}, {"k", "3"}, {"k=1", "again"}}, {"k=3", "k=1=again"}},
    };
    for (const auto& [pairs, lines] : cases) {
        EXPECT_EQ(TableLines(pairs), lines);
        EXPECT_EQ(Literal(pairs), lines);
    }
}

TEST(TableFile, MatchesStoringRowByRowOnRandomTables) {
    testing::RandomText random(77);
    for (int round = 0; round < 3000; ++round) {
        std::vector<TablePair> pairs(random.Number(0, 25));
        for (TablePair& pair : pairs) {
            if (random.Chance(30) && &pair != &pairs.front()) {
                // Repeat an earlier message, in another case or spacing.
                const TablePair& earlier = pairs[random.Number(0, &pair - &pairs.front() - 1)];
                pair.message = (random.Chance(50) ? " " : "") + earlier.message;
                if (!pair.message.empty() && random.Chance(50)) {
                    pair.message[0] = static_cast<char>(std::toupper(pair.message[0]));
                }
            } else {
                pair.message = random.Text(5, "aAb= ");
            }
            pair.response = random.Text(5, "aB= ");
        }
        ASSERT_EQ(TableLines(pairs), Literal(pairs)) << "round " << round;
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

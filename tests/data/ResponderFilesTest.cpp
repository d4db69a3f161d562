#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data/ConversationFiles.h"
#include "data/EntryRow.h"
#include "data/SettingsFile.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {
namespace {

TEST(ConversationFileName, IsSafeOnEverySystemAndNeverShared) {
    const std::pair<std::string, std::string> cases[] = {
        {"bob", "bob.txt"},
        {"PixelFox22", "^pixel^fox22.txt"},
        {"AZaz09", "^a^zaz09.txt"},  // each range's first and last letter or digit
        {"a b", "a b.txt"},
        {" a ", "%20a%20.txt"},
        {"..\\x/y:z", "%2E%2E%5Cx%2Fy%3Az.txt"},
        {"con", "%63on.txt"},
        {"com1", "%63om1.txt"},
        {"CON", "^c^o^n.txt"},
        {"_", "%5F.txt"},
        {"", "_.txt"},
        {"a%2E^b\xE9", "a%252^e%5Eb%E9.txt"},
    };
    std::set<std::string> folded;
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(SafeFileName(name), file) << name;
        // A file system that ignores case must still keep every name apart.
        folded.insert(codepage::ToLower(SafeFileName(name)));
    }
    for (const char* more : {"Bob", "bob.", "bob%2E", "^bob", "com1.", "Con"}) {
        folded.insert(codepage::ToLower(SafeFileName(more)));
    }
    folded.insert(codepage::ToLower(SafeFileName("bob")));
    EXPECT_EQ(folded.size(), std::size(cases) + 6);
}

TEST(ConversationFileEntry, HasTheTimeThenCrLfLinesThenAnEmptyLine) {
    EXPECT_EQ(ConversationEntry("2026-12-07 10:00:00", "bob: hi\nkim: yo"),
              "2026-12-07 10:00:00\r\nbob: hi\r\nkim: yo\r\n\r\n");
}

// The row is counted among the entry lines, as the grid shows them; the response is the
// one GetEntry gives for the same file.
TEST(EntryRow, NamesTheGridRowOfTheEntryGetEntryFinds) {
    const std::string bytes =
        "no entry line\r\nA=1\r\n\r\nhi =space\rhi=first\nhi=second\r\nX=a=b\r\nempty=";
    const std::tuple<std::string, int, std::string> cases[] = {
        {"  HI ", 2, "hi=first"}, {"x", 4, "X=a=b"}, {"a", 0, "A=1"}, {"empty", 5, "empty="}};
    for (const auto& [message, row, line] : cases) {
        const auto match = FindEntryRow(bytes, LookupKey(message));
        ASSERT_TRUE(match) << message;
        EXPECT_EQ(match->row, row) << message;
        EXPECT_EQ(match->line, line) << message;
        EXPECT_EQ(match->response, modFileIO::FindEntry(bytes, message)) << message;
    }
    EXPECT_FALSE(FindEntryRow(bytes, LookupKey("no entry line")));
    EXPECT_FALSE(FindEntryRow(bytes, LookupKey("bye")));

    // Fed in two pieces cut anywhere, or byte by byte, the file reads the same.
    for (const std::string key : {"hi", "empty", "bye"}) {
        const auto whole = FindEntryRow(bytes, key);
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            EntryScanner scanner(key);
            scanner.Feed(std::string_view(bytes).substr(0, cut)) &&
                scanner.Feed(std::string_view(bytes).substr(cut));
            scanner.Finish();
            EXPECT_EQ(scanner.Match(), whole) << key << " cut at " << cut;
        }
        EntryScanner bytewise(key);
        for (const char c : bytes) {
            bytewise.Feed(std::string_view(&c, 1));
        }
        bytewise.Finish();
        EXPECT_EQ(bytewise.Match(), whole) << key;
    }
}

TEST(SettingsFileFormat, ReadsBackWhatItWritesAndRefusesDamage) {
    Settings changed;
    changed.leadingMessage = " [away] a=b ";
    changed.defaultMessage = "";
    changed.ignoreChecked = {false, true, false};
    changed.keepConversations = true;
    changed.replyLimitMinutes = 99999;
    EXPECT_EQ(ParseSettings(FormatSettings(changed)), changed);
    EXPECT_EQ(ParseSettings(""), Settings{});

    Settings partial;
    partial.replyLimitMinutes = 5;
    EXPECT_EQ(ParseSettings("; note\n[Other]\nReplyLimitMinutes=5\nNewer=x\n"), partial);

    for (const char* damaged : {"junk\r\n", "Ignore1=yes", "KeepConversations=", "Ignore2=2",
                                "ReplyLimitMinutes=-1", "ReplyLimitMinutes=100000"}) {
        EXPECT_FALSE(ParseSettings(damaged)) << damaged;
    }
    EXPECT_EQ(ParseMinutes(" 15 "), 15);
    EXPECT_EQ(ParseMinutes("0"), 0);
    for (const char* wrong : {"", "1.5", "ten", "123456", "+5"}) {
        EXPECT_FALSE(ParseMinutes(wrong)) << wrong;
    }
}

}  // namespace
}  // namespace brevanto::data

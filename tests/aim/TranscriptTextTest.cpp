// Worked examples of the transcript routines, each checked against the literal algorithm
// as well: these rows pin down the readings of the rules that the oracles the fuzz replays
// trust could get wrong too. Further corners are seeds in fuzz/make_seeds.py.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

namespace brevanto::modAIM {
namespace {

TEST(ReplaceText, WorkedExamples) {
    const struct {
        std::string text, find, replacement, expected;
    } cases[] = {
        {"Hello hello HELLO", "hello", "bye", "bye bye bye"},
        // Text taken from the replacement is never searched again.
        {"aaa", "a", "aa", "aaaaaa"},
        // Matches do not overlap.
        {"aaa", "aa", "b", "ba"},
        {"abc", "", "x", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\" find \"" + c.find + "\"");
        EXPECT_EQ(ReplaceText(c.text, c.find, c.replacement), c.expected);
        EXPECT_EQ(oracle::ReplaceText(c.text, c.find, c.replacement), c.expected);
    }
}

TEST(RemoveTagRange, WorkedExamples) {
    struct Case {
        std::string text, start, end;
        std::int32_t extra;
        std::string expected;
    };
    const Case cases[] = {
        {"a<!-- x > y -->b<!---->c", "<!--", "-->", 3, "abc"},
        // A removal can join the text around it into a new start marker.
        {"<FO<FONT x>NT y>z", "<FONT", ">", 1, "z"},
        // A short extra length leaves the end marker's tail.
        {"a<!--x-->b", "<!--", "-->", 1, "a->b"},
        // The end marker counts only from the start marker on; unclosed, the rest stays.
        {"a > b <FONT c>d", "<FONT", ">", 1, "a > b d"},
        {"a > b <FONT c", "<FONT", ">", 1, "a > b <FONT c"},
        // A range that would remove nothing ends the work.
        {"<FONT ab>", "<FONT", ">", -8, "<FONT ab>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\" start \"" + c.start + "\" extra " +
                     std::to_string(c.extra));
        EXPECT_EQ(RemoveTagRange(c.text, c.start, c.end, c.extra), c.expected);
        EXPECT_EQ(oracle::RemoveTagRange(c.text, c.start, c.end, c.extra), c.expected);
    }
}

TEST(HTMLToText, WorkedExamples) {
    const struct {
        std::string html, expected;
    } cases[] = {
        {"<HTML><BODY BGCOLOR=\"#ffffff\"><FONT COLOR=\"#ff0000\"><B>pixelfox22<!-- (9:14:02 "
         "PM)--></B>:</FONT><FONT COLOR=\"#000000\"> are you there?</FONT><BR></BODY></HTML>",
         "pixelfox22: are you there?\n"},
        // Closing tags go in any case, openers only in capitals; other tags stay.
        {"<font color=red>hi</font><i>", "<font color=red>hi<i>"},
        // The body tag goes only where its quoted end meets the next tag.
        {"<BODY BGCOLOR=\"#ffffff\">hello<FONT COLOR=\"#0\">x", "<BODY BGCOLOR=\"#ffffff\">hellox"},
        // Each step sees the result of the one before.
        {"a<</B>BR>b", "a\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("html \"" + c.html + "\"");
        EXPECT_EQ(HTMLToText(c.html), c.expected);
        EXPECT_EQ(oracle::HTMLToText(c.html), c.expected);
    }
}

}  // namespace
}  // namespace brevanto::modAIM

// Worked examples of the transcript routines, each checked against the literal algorithm
// as well, so the oracles the fuzz replays trust are pinned down too. The rows are the
// corners random edits of the seeds seldom reach: the code page's capitals, partial
// matches, removals that join new markers, odd extra lengths.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

namespace brevanto::modAIM {
namespace {

using namespace std::string_literals;

struct ReplaceCase {
    std::string text, find, replacement, expected;
};

TEST(ReplaceText, WorkedExamples) {
    const ReplaceCase cases[] = {
        // Every match in any case, including the code page's own capitals.
        {"Hello hello HELLO", "hello", "bye", "bye bye bye"},
        {"\xC0la \xE0la", "\xE0la", "x", "x x"},
        {"\x8A\x9A", "\x9A", "s", "ss"},
        {"\x9F\xFF", "\xFF", "y", "yy"},
        {"\xDF\xD7\xF7", "\xF7", "/", "\xDF\xD7/"},  // sharp s and times have no capitals
        // Capitals more than one bit away from their letter, at both ends, in a long text.
        {std::string(20, 'x') + "\x9FOO\x9F" + std::string(10, 'x'), "\xFFoo\xFF", "-",
         std::string(20, 'x') + "-" + std::string(10, 'x')},
        // Text taken from the replacement is never searched again.
        {"aaa", "a", "aa", "aaaaaa"},
        // Matches do not overlap; a failed partial match does not hide one inside it.
        {"aaa", "aa", "b", "ba"},
        {"aabaab", "aab", "X", "XX"},
        {"abaabab", "abab", "X", "abaX"},
        {"abc", "", "x", "abc"},
        {"a\0b\0"s, "\0"s, "-", "a-b-"},
        {"a\nb", "\n", "\0"s, "a\0b"s},
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
        {"<F<FO<FONT>NT>ONT>!", "<FONT", ">", 1, "!"},
        {"<!-<!---->-- x -->y", "<!--", "-->", 3, "y"},
        // A short extra length leaves the end marker's tail, which may start a new marker.
        {"a<!--x-->b", "<!--", "-->", 1, "a->b"},
        {"a<x y<x y<z", "<x", "y<", 1, "a<z"},
        {"ab<FONT>c", "<FONT", ">", 0, "ab>c"},
        {"keep<!-- x -->lost", "<!--", "-->", 100, "keep"},
        // An unclosed start marker stays, with everything after it.
        {"a > b <FONT c", "<FONT", ">", 1, "a > b <FONT c"},
        {"a > b <FONT c>d", "<FONT", ">", 1, "a > b d"},
        {"<!-- open <!-- x", "<!--", "-->", 3, "<!-- open <!-- x"},
        {"<font x><FONT y>z", "<FONT", ">", 1, "<font x>z"},
        // A range that would remove nothing ends the work.
        {"<FONT ab>", "<FONT", ">", -2, "ab>"},
        {"<FONT ab>", "<FONT", ">", -8, "<FONT ab>"},
        {"<FONT ab>", "<FONT", "", 5, " ab>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\" start \"" + c.start + "\" extra " +
                     std::to_string(c.extra));
        EXPECT_EQ(RemoveTagRange(c.text, c.start, c.end, c.extra), c.expected);
        EXPECT_EQ(oracle::RemoveTagRange(c.text, c.start, c.end, c.extra), c.expected);
    }
}

TEST(HTMLToText, WorkedExamples) {
    const std::string pixelfox =
        "<FONT COLOR=\"#ff0000\"><B>pixelfox22<!-- (9:14:02 PM)--></B>:</FONT>"
        "<FONT COLOR=\"#000000\"> are you there?</FONT><BR>";
    const std::string body = "<HTML><BODY BGCOLOR=\"#ffffff\">";
    const struct {
        std::string html, expected;
    } cases[] = {
        {body + pixelfox + "</BODY></HTML>", "pixelfox22: are you there?\n"},
        {"a<BR>b<br>c<Br>", "a\nb\nc\n"},
        // Closing tags go in any case, openers only in capitals; other tags stay.
        {"<font color=red>hi</font>", "<font color=red>hi"},
        {"<b>bold</b></body></html>", "bold"},
        {"<body bgcolor=\"#fff\"><i>x", "<body bgcolor=\"#fff\"><i>x"},
        // The body tag goes only where its quoted end meets the next tag.
        {"<BODY A=\"1\" B=\"2\"><I>x", "<I>x"},
        {"<BODY BGCOLOR=\"#ffffff\">hello<FONT COLOR=\"#0\">x", "<BODY BGCOLOR=\"#ffffff\">hellox"},
        {"<BODY BGCOLOR=white><FONT COLOR=\"#0\"><I>x", "<I>x"},
        // Each step sees the result of the one before.
        {"a<</B>BR>b", "a\nb"},
        {"<FO<!-- x -->NT COLOR=\"#0\">hi", "hi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("html \"" + c.html + "\"");
        EXPECT_EQ(HTMLToText(c.html), c.expected);
        EXPECT_EQ(oracle::HTMLToText(c.html), c.expected);
    }
}

}  // namespace
}  // namespace brevanto::modAIM

#include "aim/text/TranscriptText.h"

#include <gtest/gtest.h>

#include <string>

namespace brevanto::modAIM {
namespace {

using namespace std::string_literals;

// --- ReplaceText and ReplaceFirst -----------------------------------------------------

TEST(ReplaceText, ReplacesEveryMatchWhateverItsCaseAndKeepsTheRest) {
    EXPECT_EQ(ReplaceText("Hello hello HELLO", "hello", "bye"), "bye bye bye");
    EXPECT_EQ(ReplaceText("Say HeLLo, Kim", "HELLO", "hi"), "Say hi, Kim");
    EXPECT_EQ(ReplaceText("a<b>B</B>c", "</b>", ""), "a<b>Bc");
}

TEST(ReplaceText, FoldsTheCodePagesCapitalsLikeAscii) {
    EXPECT_EQ(ReplaceText("\xC0la \xE0la", "\xE0la", "x"), "x x");
    EXPECT_EQ(ReplaceText("\x8A\x9A", "\x9A", "s"), "ss");
    EXPECT_EQ(ReplaceText("\x9F\xFF", "\xFF", "y"), "yy");
    // The sharp s and the multiplication sign have no capitals to match.
    EXPECT_EQ(ReplaceText("\xDF\xD7\xF7", "\xF7", "/"), "\xDF\xD7/");
}

TEST(ReplaceText, NeverSearchesTextTakenFromTheReplacement) {
    EXPECT_EQ(ReplaceText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceText("xAx", "a", "AaA"), "xAaAx");
    EXPECT_EQ(ReplaceText("ab", "b", "bb"), "abb");
}

TEST(ReplaceText, MatchesDoNotOverlap) {
    EXPECT_EQ(ReplaceText("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceText("abababa", "aba", "-"), "-b-");
    // A failed partial match must not hide a match that starts inside it.
    EXPECT_EQ(ReplaceText("aabaab", "aab", "X"), "XX");
    EXPECT_EQ(ReplaceText("abaabab", "abab", "X"), "abaX");
}

TEST(ReplaceText, HandlesMatchesAtBothEndsAndWholeText) {
    EXPECT_EQ(ReplaceText("end.", ".", ""), "end");
    EXPECT_EQ(ReplaceText(".start", ".", "!"), "!start");
    EXPECT_EQ(ReplaceText("word", "WORD", "x"), "x");
    EXPECT_EQ(ReplaceText("wor", "word", "x"), "wor");
}

TEST(ReplaceText, LeavesTextAloneWithoutAMatchOrWithAnEmptyFind) {
    EXPECT_EQ(ReplaceText("nothing here", "zz", "y"), "nothing here");
    EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceText("", "a", "x"), "");
    EXPECT_EQ(ReplaceText("", "", "x"), "");
}

TEST(ReplaceText, TreatsNulBytesAsOrdinaryCharacters) {
    EXPECT_EQ(ReplaceText("a\0b\0"s, "\0"s, "-"), "a-b-");
    EXPECT_EQ(ReplaceText("a\nb"s, "\n", "\0"s), "a\0b"s);
}

TEST(ReplaceFirst, ReplacesOnlyTheFirstMatch) {
    EXPECT_EQ(ReplaceFirst("One TWO two", "two", "2"), "One 2 two");
    EXPECT_EQ(ReplaceFirst("aaa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceFirst("tail two", "TWO", ""), "tail ");
}

TEST(ReplaceFirst, LeavesTextAloneWithoutAMatchOrWithAnEmptyFind) {
    EXPECT_EQ(ReplaceFirst("One", "two", "2"), "One");
    EXPECT_EQ(ReplaceFirst("One", "", "2"), "One");
    EXPECT_EQ(ReplaceFirst("", "x", "2"), "");
}

// --- RemoveTagRange -------------------------------------------------------------------

TEST(RemoveTagRange, RemovesEachRangeWithTheExtraLengthOfTheEndMarker) {
    EXPECT_EQ(RemoveTagRange("<FONT COLOR=\"#0\">hi <FONT>you", "<FONT", ">", 1), "hi you");
    EXPECT_EQ(RemoveTagRange("a<!-- x > y -->b<!---->c", "<!--", "-->", 3), "abc");
    EXPECT_EQ(RemoveTagRange("<BODY A=\"1\"><FONT>", "<BODY", "\"><", 2), "<FONT>");
}

TEST(RemoveTagRange, FindsStartMarkersThatARemovalJoinsTogether) {
    EXPECT_EQ(RemoveTagRange("<FO<FONT x>NT y>z", "<FONT", ">", 1), "z");
    EXPECT_EQ(RemoveTagRange("<<FONT a>FONT b>c", "<FONT", ">", 1), "c");
    EXPECT_EQ(RemoveTagRange("<F<FO<FONT>NT>ONT>!", "<FONT", ">", 1), "!");
    EXPECT_EQ(RemoveTagRange("<!-<!---->-- x -->y", "<!--", "-->", 3), "y");
}

TEST(RemoveTagRange, AShortExtraLengthLeavesTheEndMarkersTail) {
    EXPECT_EQ(RemoveTagRange("a<!--x-->b", "<!--", "-->", 1), "a->b");
    // The tail left behind can itself complete a new start marker.
    EXPECT_EQ(RemoveTagRange("a<x y<x y<z", "<x", "y<", 1), "a<z");
    EXPECT_EQ(RemoveTagRange("ab<FONT>c", "<FONT", ">", 0), "ab>c");
}

TEST(RemoveTagRange, AnExtraLengthPastTheEndRemovesToTheEnd) {
    EXPECT_EQ(RemoveTagRange("keep<!-- x -->lost", "<!--", "-->", 100), "keep");
    EXPECT_EQ(RemoveTagRange("keep<FONT>", "<FONT", ">", 1), "keep");
}

TEST(RemoveTagRange, KeepsAStartMarkerWithNoEndMarkerAfterIt) {
    EXPECT_EQ(RemoveTagRange("x <FONT never closed", "<FONT", ">", 1), "x <FONT never closed");
    EXPECT_EQ(RemoveTagRange("a > b <FONT c", "<FONT", ">", 1), "a > b <FONT c");
    EXPECT_EQ(RemoveTagRange("a > b <FONT c>d", "<FONT", ">", 1), "a > b d");
    EXPECT_EQ(RemoveTagRange("<!-- open <!-- x", "<!--", "-->", 3), "<!-- open <!-- x");
    // Earlier ranges are still removed; the text stays as it is from the unclosed one on.
    EXPECT_EQ(RemoveTagRange("<FONT>a<FONT b", "<FONT", ">", 1), "a<FONT b");
}

TEST(RemoveTagRange, IsCaseSensitive) {
    EXPECT_EQ(RemoveTagRange("<font x><FONT y>z", "<FONT", ">", 1), "<font x>z");
}

TEST(RemoveTagRange, StopsWhenARangeWouldRemoveNothing) {
    EXPECT_EQ(RemoveTagRange("<FONT ab>", "<FONT", ">", -2), "ab>");
    EXPECT_EQ(RemoveTagRange("<FONT ab>", "<FONT", ">", -8), "<FONT ab>");
    EXPECT_EQ(RemoveTagRange("<FONT ab>", "<FONT", "", 0), "<FONT ab>");
    EXPECT_EQ(RemoveTagRange("<FONT ab>", "<FONT", "", 5), " ab>");
    EXPECT_EQ(RemoveTagRange("abc", "", ">", 1), "abc");
    EXPECT_EQ(RemoveTagRange("", "<FONT", ">", 1), "");
}

// --- HTMLToText -----------------------------------------------------------------------

constexpr const char* kPixelfoxLine =
    "<FONT COLOR=\"#ff0000\"><B>pixelfox22<!-- (9:14:02 PM)--></B>:</FONT>"
    "<FONT COLOR=\"#000000\"> are you there?</FONT><BR>";
constexpr const char* kQuietowlLine =
    "<FONT COLOR=\"#0000ff\"><B>quietowl7<!-- (9:14:09 PM)--></B>:</FONT>"
    "<FONT COLOR=\"#000000\"> yes</FONT><BR>";

std::string Transcript(const std::string& messages) {
    return "<HTML><BODY BGCOLOR=\"#ffffff\">" + messages + "</BODY></HTML>";
}

TEST(HTMLToText, TurnsATranscriptIntoNameAndMessageLines) {
    EXPECT_EQ(HTMLToText(Transcript(kPixelfoxLine)), "pixelfox22: are you there?\n");
    EXPECT_EQ(HTMLToText(Transcript(std::string(kPixelfoxLine) + kQuietowlLine)),
              "pixelfox22: are you there?\nquietowl7: yes\n");
}

TEST(HTMLToText, TurnsLineBreaksAndCarriageReturnsIntoLineFeeds) {
    EXPECT_EQ(HTMLToText("line1\r\nline2"), "line1\n\nline2");
    EXPECT_EQ(HTMLToText("a<BR>b<br>c<Br>"), "a\nb\nc\n");
    EXPECT_EQ(HTMLToText("plain text, no tags"), "plain text, no tags");
    EXPECT_EQ(HTMLToText(""), "");
}

TEST(HTMLToText, RemovesClosingTagsInAnyCaseButOpenersOnlyInCapitals) {
    EXPECT_EQ(HTMLToText("<font color=red>hi</font>"), "<font color=red>hi");
    EXPECT_EQ(HTMLToText("<b>bold</b></body></html>"), "bold");
    EXPECT_EQ(HTMLToText("<body bgcolor=\"#fff\"><i>x"), "<body bgcolor=\"#fff\"><i>x");
}

TEST(HTMLToText, KeepsOtherTagsAndCharacterReferences) {
    EXPECT_EQ(HTMLToText("<I>it</I> <A HREF=\"u\">l</A> &amp;"),
              "<I>it</I> <A HREF=\"u\">l</A> &amp;");
}

TEST(HTMLToText, RemovesABodyTagOnlyWhereItsQuotedEndMeetsTheNextTag) {
    EXPECT_EQ(HTMLToText("<BODY A=\"1\" B=\"2\"><I>x"), "<I>x");
    // Not followed directly by a tag: no end marker, so the body tag stays.
    EXPECT_EQ(HTMLToText("<BODY BGCOLOR=\"#ffffff\">hello<FONT COLOR=\"#0\">x"),
              "<BODY BGCOLOR=\"#ffffff\">hellox");
    // Unquoted last attribute: the range runs to the quote before the next tag.
    EXPECT_EQ(HTMLToText("<BODY BGCOLOR=white><FONT COLOR=\"#0\"><I>x"), "<I>x");
}

TEST(HTMLToText, EachStepSeesTheResultOfTheOneBefore) {
    // Removing the bold closers completes a line break, which step 5 then finds.
    EXPECT_EQ(HTMLToText("a<</B>BR>b"), "a\nb");
    // Removing a comment completes a font tag, which step 11 then removes.
    EXPECT_EQ(HTMLToText("<FO<!-- x -->NT COLOR=\"#0\">hi"), "hi");
}

}  // namespace
}  // namespace brevanto::modAIM

#include "data/codepage/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace brevanto::codepage {
namespace {

std::string Byte(int value) {
    return std::string(1, static_cast<char>(value));
}

std::string AllBytes() {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += Byte(c);
    }
    return all;
}

// Windows-1252 capitals: ASCII, S/OE/Z caron, Y diaeresis and 0xC0-0xDE but for the
// multiplication sign. Sharp s, small letters, signs and undefined bytes stay.
int ExpectedLower(int c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c == 0x8A || c == 0x8C || c == 0x8E) {
        return c + 0x10;
    }
    return c == 0x9F ? 0xFF : c;
}

TEST(CodePageLower, FoldsExactlyTheCodePagesCapitalsInEveryForm) {
    const std::string lowered = ToLower(AllBytes());
    ASSERT_EQ(lowered.size(), 256u);
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(::testing::Message() << "byte " << c);
        EXPECT_EQ(Lower(static_cast<unsigned char>(c)), ExpectedLower(c));
        EXPECT_EQ(LowerTable()[c], ExpectedLower(c));
        EXPECT_EQ(static_cast<unsigned char>(lowered[c]), ExpectedLower(c));
    }
    EXPECT_EQ(ToLower(""), "");
}

TEST(CodePageConversion, KnownCharactersConvertBothWays) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"", ""},
        {Byte(0x80), "\xE2\x82\xAC"},  // euro sign
        {Byte(0x8A), "\xC5\xA0"},      // S caron
        {Byte(0x99), "\xE2\x84\xA2"},  // trade mark
        {Byte(0x9F), "\xC5\xB8"},      // Y diaeresis
        {Byte(0xE9), "\xC3\xA9"},      // e acute
        {Byte(0xA0), "\xC2\xA0"},      // no-break space
        // An undefined byte becomes its C1 control, so that it survives a round trip.
        {Byte(0x81), "\xC2\x81"},
    };
    for (const auto& [ansi, utf8] : cases) {
        EXPECT_EQ(AnsiToUtf8(ansi), utf8);
        EXPECT_EQ(Utf8ToAnsi(utf8), ansi);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(AllBytes())), AllBytes());
}

TEST(CodePageConversion, UnknownOrMalformedUtf8BecomesQuestionMarks) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\xE4\xB8\xAD!", "a?!"},     // CJK ideograph
        {"\xF0\x9F\x98\x80", "?"},     // outside the BMP
        {"\xC2\x80", "?"},             // C1 control the code page lacks
        {"\xC4\x80", "?"},             // A macron
        {"\x80", "?"},                 // stray continuation byte
        {"\xFF!", "?!"},               // byte never used in UTF-8
        {"\xC3", "?"},                 // cut off at the end
        {"\xC3!", "?!"},               // cut off by an ASCII byte
        {"\xE2\x82!", "?!"},           // three-byte form cut short
        {"\xC0\xAF", "??"},            // overlong "/"
        {"\xE0\x80\xAF", "???"},       // overlong, three bytes
        {"\xED\xA0\x80", "???"},       // surrogate half
        {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
        {"\xC3\xA9\xC3", "\xE9?"},
    };
    for (const auto& [utf8, ansi] : cases) {
        EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << utf8;
    }
}

}  // namespace
}  // namespace brevanto::codepage

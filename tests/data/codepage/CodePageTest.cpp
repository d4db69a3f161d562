#include "data/codepage/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace brevanto::codepage {
namespace {

std::string Byte(int value) {
    return std::string(1, static_cast<char>(value));
}

// --- Lower-casing ---------------------------------------------------------------------

TEST(CodePageLower, FoldsAsciiCapitalsOnly) {
    for (int c = 0; c < 128; ++c) {
        const int expected = (c >= 'A' && c <= 'Z') ? c + 32 : c;
        EXPECT_EQ(Lower(static_cast<unsigned char>(c)), expected) << "byte " << c;
    }
}

TEST(CodePageLower, FoldsTheCodePagesOtherCapitals) {
    EXPECT_EQ(Lower(0x8A), 0x9A);  // S caron
    EXPECT_EQ(Lower(0x8C), 0x9C);  // OE ligature
    EXPECT_EQ(Lower(0x8E), 0x9E);  // Z caron
    EXPECT_EQ(Lower(0x9F), 0xFF);  // Y diaeresis
    EXPECT_EQ(Lower(0xC0), 0xE0);  // A grave
    EXPECT_EQ(Lower(0xC9), 0xE9);  // E acute
    EXPECT_EQ(Lower(0xDE), 0xFE);  // thorn
}

TEST(CodePageLower, LeavesNonLettersAndSmallLettersAlone) {
    EXPECT_EQ(Lower(0xD7), 0xD7);  // multiplication sign
    EXPECT_EQ(Lower(0xDF), 0xDF);  // sharp s has no single-byte capital
    EXPECT_EQ(Lower(0xF7), 0xF7);  // division sign
    for (int c = 0xE0; c <= 0xFF; ++c) {
        EXPECT_EQ(Lower(static_cast<unsigned char>(c)), c) << "byte " << c;
    }
    for (int c : {0x80, 0x81, 0x9A, 0x9C, 0x9E, 0xA0, 0xBF}) {
        EXPECT_EQ(Lower(static_cast<unsigned char>(c)), c) << "byte " << c;
    }
}

TEST(CodePageLower, IsIdempotentAndMatchesTheTable) {
    const unsigned char* table = LowerTable();
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_EQ(table[c], Lower(byte));
        EXPECT_EQ(Lower(Lower(byte)), Lower(byte)) << "byte " << c;
    }
}

TEST(CodePageLower, ToLowerKeepsLengthAndFoldsEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string lowered = ToLower(all);
    ASSERT_EQ(lowered.size(), all.size());
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(static_cast<unsigned char>(lowered[c]), Lower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(ToLower("Hello WORLD \xC0\xC9"), "hello world \xE0\xE9");
    EXPECT_EQ(ToLower(""), "");
    EXPECT_EQ(ToLower(std::string("A\0B", 3)), std::string("a\0b", 3));
}

// --- Conversion to and from UTF-8 -----------------------------------------------------

TEST(CodePageConversion, KnownCharactersConvertToUtf8) {
    EXPECT_EQ(AnsiToUtf8("plain"), "plain");
    EXPECT_EQ(AnsiToUtf8(Byte(0x80)), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(AnsiToUtf8(Byte(0x8A)), "\xC5\xA0");      // S caron
    EXPECT_EQ(AnsiToUtf8(Byte(0x99)), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(AnsiToUtf8(Byte(0x9F)), "\xC5\xB8");      // Y diaeresis
    EXPECT_EQ(AnsiToUtf8(Byte(0xE9)), "\xC3\xA9");      // e acute
    EXPECT_EQ(AnsiToUtf8(Byte(0xA0)), "\xC2\xA0");      // no-break space
    EXPECT_EQ(AnsiToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePageConversion, UndefinedBytesBecomeTheirC1Controls) {
    for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string expected = {static_cast<char>(0xC2), static_cast<char>(c)};
        EXPECT_EQ(AnsiToUtf8(Byte(c)), expected) << "byte " << c;
        EXPECT_EQ(Utf8ToAnsi(expected), Byte(c)) << "byte " << c;
    }
}

TEST(CodePageConversion, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(Byte(c))), Byte(c)) << "byte " << c;
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(CodePageConversion, CharactersWithoutACodeBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("a\xE4\xB8\xAD"
                         "b"),
              "a?b");                                   // U+4E2D, a CJK ideograph
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?");     // U+1F600, outside the BMP
    EXPECT_EQ(Utf8ToAnsi("\xC2\x80"), "?");             // C1 control the code page lacks
    EXPECT_EQ(Utf8ToAnsi("\xC4\x80"), "?");             // A macron
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), Byte(0x80));  // euro sign has one
}

TEST(CodePageConversion, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi("\x80"), "?");  // stray continuation byte
    EXPECT_EQ(Utf8ToAnsi("\xFF"
                         "a"),
              "?a");                     // byte never used in UTF-8
    EXPECT_EQ(Utf8ToAnsi("\xC3"), "?");  // cut off at the end
    EXPECT_EQ(Utf8ToAnsi("\xC3"
                         "a"),
              "?a");  // cut off by an ASCII byte
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82"
                         "a"),
              "?a");                                    // three-byte form cut short
    EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");            // overlong "/"
    EXPECT_EQ(Utf8ToAnsi("\xE0\x80\xAF"), "???");       // overlong, three bytes
    EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "???");       // surrogate half
    EXPECT_EQ(Utf8ToAnsi("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToAnsi("\xC3\xA9\xC3"), Byte(0xE9) + "?");
}

TEST(CodePageConversion, EmptyTextStaysEmpty) {
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(Utf8ToAnsi(""), "");
}

}  // namespace
}  // namespace brevanto::codepage

// Compares the fast transcript routines with the literal algorithms on seeded random
// texts built from the pieces that make them go wrong: tags cut in half, markers in
// either case, replacements that contain what they replace, the code page's own capitals,
// line-ending mixes and NUL bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

namespace brevanto::modAIM {
namespace {

using namespace std::string_literals;

const std::vector<std::string> kHtmlPieces = {"<FONT",
                                              "<font",
                                              "<FO",
                                              "NT",
                                              "<",
                                              ">",
                                              "\"",
                                              "\"><",
                                              "\">",
                                              "<!--",
                                              "-->",
                                              "<!-",
                                              "--",
                                              "-",
                                              "!",
                                              "</FONT>",
                                              "</font>",
                                              "</FO",
                                              "</B>",
                                              "</b>",
                                              "<B>",
                                              "<b>",
                                              "<BR>",
                                              "<br>",
                                              "<Br>",
                                              "<B",
                                              "R>",
                                              "<HTML>",
                                              "</html>",
                                              "<BODY",
                                              "<body",
                                              "</BODY>",
                                              " BGCOLOR=\"#ffffff\"",
                                              " COLOR=\"#ff0000\"",
                                              "pixelfox22",
                                              ": ",
                                              "hi there",
                                              "(9:14:02 PM)",
                                              "\r",
                                              "\n",
                                              "\r\n",
                                              "\0"s,
                                              "\xC0",
                                              "\xE0",
                                              "\xC9",
                                              "\xE9",
                                              "\x8A",
                                              "\x9A",
                                              "\x9F",
                                              "\xFF",
                                              "\xD7",
                                              "\xF7",
                                              "\xDF",
                                              "a",
                                              "A",
                                              " "};

class RandomText {
  public:
    explicit RandomText(std::uint32_t seed) : engine_(seed) {}

    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

    // Text glued from pieces, with now and then a random byte between them.
    std::string FromPieces(const std::vector<std::string>& pieces, int maxPieces) {
        std::string text;
        const int count = Number(0, maxPieces);
        for (int i = 0; i < count; ++i) {
            if (Number(0, 9) == 0) {
                text += static_cast<char>(Number(0, 255));
            } else {
                text += pieces[static_cast<std::size_t>(
                    Number(0, static_cast<int>(pieces.size()) - 1))];
            }
        }
        return text;
    }

    // Short text over a tiny alphabet, so that patterns overlap and repeat themselves.
    std::string FromAlphabet(std::string_view alphabet, int minLength, int maxLength) {
        std::string text;
        const int length = Number(minLength, maxLength);
        for (int i = 0; i < length; ++i) {
            text += alphabet[static_cast<std::size_t>(
                Number(0, static_cast<int>(alphabet.size()) - 1))];
        }
        return text;
    }

  private:
    std::mt19937 engine_;
};

// Letters in both cases of ASCII and of the code page, so that folding decides matches.
constexpr std::string_view kFoldingAlphabet = "aAbB\xC0\xE0\x9F\xFF";
constexpr std::string_view kMarkerAlphabet = "<>ab-!\"";
constexpr int kRounds = 4000;

struct ReplaceCase {
    std::string text, find, replacement;
};

ReplaceCase MakeReplaceCase(RandomText& random) {
    ReplaceCase c;
    if (random.Number(0, 1) == 0) {
        c.text = random.FromAlphabet(kFoldingAlphabet, 0, 40);
        c.find = random.FromAlphabet(kFoldingAlphabet, 0, 4);
    } else {
        c.text = random.FromPieces(kHtmlPieces, 30);
        const std::vector<std::string> finds = {"</FONT>", "<br>", "\r", "\n",    "\0"s, "<b>",
                                                "\xE0",    "a",    "--", "<FONT", ""};
        c.find = finds[static_cast<std::size_t>(random.Number(0, 10))];
    }
    switch (random.Number(0, 4)) {
        case 0:
            c.replacement = "";
            break;
        case 1:
            c.replacement = c.find + c.find;
            break;
        case 2:
            c.replacement = codepage::ToLower(c.find) + "x" + c.find;
            break;
        case 3:
            c.replacement = "\n";
            break;
        default:
            c.replacement = random.FromAlphabet(kFoldingAlphabet, 0, 3);
            break;
    }
    return c;
}

TEST(TranscriptTextDifferential, ReplaceTextMatchesTheLiteralAlgorithm) {
    RandomText random(1001);
    for (int round = 0; round < kRounds; ++round) {
        const ReplaceCase c = MakeReplaceCase(random);
        ASSERT_EQ(ReplaceText(c.text, c.find, c.replacement),
                  oracle::ReplaceText(c.text, c.find, c.replacement))
            << "round " << round << ", text \"" << c.text << "\", find \"" << c.find << "\"";
    }
}

TEST(TranscriptTextDifferential, ReplaceFirstMatchesTheLiteralAlgorithm) {
    RandomText random(2002);
    for (int round = 0; round < kRounds; ++round) {
        const ReplaceCase c = MakeReplaceCase(random);
        ASSERT_EQ(ReplaceFirst(c.text, c.find, c.replacement),
                  oracle::ReplaceFirst(c.text, c.find, c.replacement))
            << "round " << round << ", text \"" << c.text << "\", find \"" << c.find << "\"";
    }
}

TEST(TranscriptTextDifferential, RemoveTagRangeMatchesTheLiteralAlgorithm) {
    struct Markers {
        std::string start, end;
        std::int32_t extra;
    };
    const std::vector<Markers> callers = {
        {"<BODY", "\"><", 2}, {"<!--", "-->", 3}, {"<FONT", ">", 1}};
    RandomText random(3003);
    for (int round = 0; round < kRounds; ++round) {
        std::string text;
        Markers m;
        if (random.Number(0, 2) == 0) {
            m = callers[static_cast<std::size_t>(random.Number(0, 2))];
            text = random.FromPieces(kHtmlPieces, 40);
        } else {
            // Arbitrary markers over a small alphabet, with extra lengths short of the end
            // marker, past it and below zero.
            m.start = random.FromAlphabet(kMarkerAlphabet, 0, 4);
            m.end = random.FromAlphabet(kMarkerAlphabet, 0, 3);
            m.extra = random.Number(-3, static_cast<int>(m.end.size()) + 3);
            text = random.FromAlphabet(kMarkerAlphabet, 0, 60);
        }
        ASSERT_EQ(RemoveTagRange(text, m.start, m.end, m.extra),
                  oracle::RemoveTagRange(text, m.start, m.end, m.extra))
            << "round " << round << ", text \"" << text << "\", start \"" << m.start << "\", end \""
            << m.end << "\", extra " << m.extra;
    }
}

TEST(TranscriptTextDifferential, HTMLToTextMatchesTheLiteralAlgorithm) {
    RandomText random(4004);
    for (int round = 0; round < kRounds; ++round) {
        const std::string html = random.FromPieces(kHtmlPieces, 60);
        ASSERT_EQ(HTMLToText(html), oracle::HTMLToText(html))
            << "round " << round << ", html \"" << html << "\"";
    }
}

// Whole transcripts a few kilobytes long, messages damaged here and there by pieces
// dropped in, so that positions far from the start are exercised too.
TEST(TranscriptTextDifferential, LongTranscriptsMatchTheLiteralAlgorithm) {
    const std::vector<std::string> message = {"<FONT COLOR=\"#ff0000\">",
                                              "<B>",
                                              "pixelfox22",
                                              "<!-- (9:14:02 PM)-->",
                                              "</B>",
                                              ":",
                                              "</FONT>",
                                              "<FONT COLOR=\"#000000\">",
                                              " are you there?",
                                              "</FONT>",
                                              "<BR>"};
    RandomText random(5005);
    for (int round = 0; round < 100; ++round) {
        std::string html = "<HTML><BODY BGCOLOR=\"#ffffff\">";
        const int messages = random.Number(1, 25);
        for (int i = 0; i < messages; ++i) {
            for (const std::string& part : message) {
                if (random.Number(0, 29) == 0) {
                    html += random.FromPieces(kHtmlPieces, 3);
                }
                if (random.Number(0, 49) != 0) {
                    html += part;
                }
            }
        }
        html += "</BODY></HTML>";
        ASSERT_EQ(HTMLToText(html), oracle::HTMLToText(html)) << "round " << round;
        ASSERT_EQ(RemoveTagRange(html, "<FONT", ">", 1),
                  oracle::RemoveTagRange(html, "<FONT", ">", 1))
            << "round " << round;
        ASSERT_EQ(ReplaceText(html, "</font>", "</FONT></FONT>"),
                  oracle::ReplaceText(html, "</font>", "</FONT></FONT>"))
            << "round " << round;
    }
}

// Long texts over the marker alphabet: removals that join text into new start markers
// happen all along them, far from the start too.
TEST(TranscriptTextDifferential, LongMarkerTextsMatchTheLiteralAlgorithm) {
    RandomText random(6006);
    for (int round = 0; round < 300; ++round) {
        const std::string text = random.FromAlphabet(kMarkerAlphabet, 500, 2000);
        const std::string start = random.FromAlphabet(kMarkerAlphabet, 1, 3);
        const std::string end = random.FromAlphabet(kMarkerAlphabet, 1, 2);
        const std::int32_t extra = random.Number(0, 3);
        ASSERT_EQ(RemoveTagRange(text, start, end, extra),
                  oracle::RemoveTagRange(text, start, end, extra))
            << "round " << round << ", start \"" << start << "\", end \"" << end << "\", extra "
            << extra;
    }
}

// The oracles themselves must give the documented results, or agreeing with them proves
// nothing.
TEST(TranscriptTextDifferential, OraclesGiveTheDocumentedResults) {
    EXPECT_EQ(oracle::ReplaceText("Hello hello HELLO", "hello", "bye"), "bye bye bye");
    EXPECT_EQ(oracle::ReplaceText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(oracle::ReplaceFirst("One TWO two", "two", "2"), "One 2 two");
    EXPECT_EQ(oracle::RemoveTagRange("<FO<FONT x>NT y>z", "<FONT", ">", 1), "z");
    EXPECT_EQ(oracle::HTMLToText("<HTML><BODY BGCOLOR=\"#ffffff\"><FONT COLOR=\"#ff0000\"><B>"
                                 "pixelfox22<!-- (9:14:02 PM)--></B>:</FONT><FONT "
                                 "COLOR=\"#000000\"> are you there?</FONT><BR></BODY></HTML>"),
              "pixelfox22: are you there?\n");
}

}  // namespace
}  // namespace brevanto::modAIM

// The fast transcript routines against the literal algorithms, on seeded random texts built
// from the pieces that make them go wrong.

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

// Markers and their halves, tags, transcript words, and single bytes for NULs and folding.
const std::vector<std::string> kHtmlPieces = [] {
    std::vector<std::string> pieces = {"<FONT", "<font", "<FO",  "NT",  "<",   ">",  "\"",
                                       "\"><",  "\">",   "<!--", "-->", "<!-", "--", "-",
                                       "!",     "<B",    "R>",   "a",   "A",   " "};
    for (const char* tag : {"</FONT>", "</font>", "</FO", "</B>", "</b>", "<B>", "<b>", "<BR>",
                            "<br>", "<Br>", "<HTML>", "</html>", "<BODY", "<body", "</BODY>"}) {
        pieces.emplace_back(tag);
    }
    for (const char* word : {" BGCOLOR=\"#ffffff\"", " COLOR=\"#ff0000\"", "pixelfox22", ": ",
                             "hi there", "(9:14:02 PM)", "\r", "\n", "\r\n"}) {
        pieces.emplace_back(word);
    }
    for (char byte : std::string("\0\xC0\xE0\xC9\xE9\x8A\x9A\x9F\xFF\xD7\xF7\xDF"s)) {
        pieces.emplace_back(1, byte);
    }
    return pieces;
}();

class RandomText {
  public:
    explicit RandomText(std::uint32_t seed) : engine_(seed) {}

    int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    template <typename Items>
    auto Pick(const Items& items) {
        return items[static_cast<std::size_t>(Number(0, static_cast<int>(items.size()) - 1))];
    }

    // Text glued from pieces, with now and then a random byte between them.
    std::string FromPieces(const std::vector<std::string>& pieces, int maxPieces) {
        std::string text;
        const int count = Number(0, maxPieces);
        for (int i = 0; i < count; ++i) {
            if (Number(0, 9) == 0) {
                text += static_cast<char>(Number(0, 255));
            } else {
                text += Pick(pieces);
            }
        }
        return text;
    }

    // Short text over a tiny alphabet, so that patterns overlap and repeat themselves.
    std::string FromAlphabet(std::string_view alphabet, int minLength, int maxLength) {
        std::string text;
        const int length = Number(minLength, maxLength);
        for (int i = 0; i < length; ++i) {
            text += Pick(alphabet);
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
        c.find = random.Pick(finds);
    }
    // Replacements that contain what they replace, in the same or the other case.
    const std::string replacements[] = {"", c.find + c.find,
                                        codepage::ToLower(c.find) + "x" + c.find, "\n",
                                        random.FromAlphabet(kFoldingAlphabet, 0, 3)};
    c.replacement = replacements[random.Number(0, 4)];
    return c;
}

TEST(TranscriptTextDifferential, ReplaceTextAndReplaceFirstMatchTheLiteralAlgorithms) {
    RandomText random(1001);
    for (int round = 0; round < kRounds; ++round) {
        const ReplaceCase c = MakeReplaceCase(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", text \"" + c.text + "\", find \"" +
                     c.find + "\"");
        ASSERT_EQ(ReplaceText(c.text, c.find, c.replacement),
                  oracle::ReplaceText(c.text, c.find, c.replacement));
        ASSERT_EQ(ReplaceFirst(c.text, c.find, c.replacement),
                  oracle::ReplaceFirst(c.text, c.find, c.replacement));
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
            m = random.Pick(callers);
            text = random.FromPieces(kHtmlPieces, 40);
        } else {
            // Arbitrary markers over a small alphabet, with extra lengths short of the end
            // marker, past it and below zero; now and then a long text, so that removals
            // join new start markers far from the start too.
            m.start = random.FromAlphabet(kMarkerAlphabet, 0, 4);
            m.end = random.FromAlphabet(kMarkerAlphabet, 0, 3);
            m.extra = random.Number(-3, static_cast<int>(m.end.size()) + 3);
            text = round % 10 == 0 ? random.FromAlphabet(kMarkerAlphabet, 500, 2000)
                                   : random.FromAlphabet(kMarkerAlphabet, 0, 60);
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

}  // namespace
}  // namespace brevanto::modAIM

#include "data/Learning.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "oracles/LiteralLearning.h"

namespace brevanto::data {
namespace {

using Pairs = std::vector<LearnedPair>;

// Transcripts as learning sees them: each line's line feed has become a space.
TEST(LearningSplit, BuddyStretchesAnsweredByTheUserBecomePairs) {
    const struct {
        std::string transcript;
        Pairs expected;
    } cases[] = {
        {"Sam: hi Kim: hello Sam: how are you Kim: fine thanks ",
         {{"hi", "hello"}, {"how are you", "fine thanks"}}},
        {"Sam: Hi Sam: there Kim: yo Kim: sup ", {{"hi there", "yo sup"}}},
        // Text before the buddy's first line is skipped; unanswered text is not learned.
        {"Kim: hey Sam: hi Kim: hello ", {{"hi", "hello"}}},
        {"Kim: hey Kim: anyone there ", {}},
        {"Sam: hi Kim: hello Sam: bye ", {{"hi", "hello"}}},
        {"Sam: hi Sam: anyone ", {}},
        {"", {}},
        // Messages are lower-cased, Windows-1252 capitals too; answers keep their case.
        {"Sam: HOW Are You Kim: Hello There ", {{"how are you", "Hello There"}}},
        {"Sam: \xC4RGER Kim: \xC4h ", {{"\xE4rger", "\xC4h"}}},
        {"Sam:  Kim: what? ", {{"", "what?"}}},
        // Labels are found case-sensitively but removed without regard to case.
        {"Sam: hi SAM: there Kim: yo ", {{"hi there", "yo"}}},
        {"Sam: hi Kim: hello sam: more ", {{"hi", "hello sam: more"}}},
        {"Sam: ask KIM: later Kim: ok ", {{"ask kim: later", "ok"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitConversation(c.transcript, "Sam: ", "Kim: "), c.expected) << c.transcript;
    }
    // Signed off, the user's label is "[not online]: " and never in a transcript.
    EXPECT_EQ(SplitConversation("Sam: hi Kim: hello ", "Sam: ", "[not online]: "), Pairs{});
}

// Random transcripts of labels, near-labels and their parts, so that labels overlap, repeat
// and stand at the very start and end.
TEST(LearningSplit, AgreesWithTheLiteralLoopOnRandomTranscripts) {
    static const std::array<const char*, 16> pieces{
        "Sam: ", "Kim: ", "sam: ", "KIM: ", "Sa", "m: ", "Kim:", ": ",
        " ",     "hi",    "Hey",   "?",     "S",  "K",   "a",    "Sam: Sam: "};
    static const std::array<std::pair<const char*, const char*>, 6> labels{{
        {"Sam: ", "Kim: "},
        {"Sam: ", "Sam: "},  // a buddy with the user's own name
        {"Sa: ", "Sam: "},   // one label inside the other
        {"Sam: ", "am: "},
        {": ", "Kim: "},  // an empty buddy name
        {"Sam: ", "[not online]: "},
    }};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    for (int round = 0; round < 20000; ++round) {
        std::string transcript;
        for (int i = length(random); i > 0; --i) {
            transcript += pieces[piece(random)];
        }
        const auto& [buddy, user] = labels[static_cast<std::size_t>(round) % labels.size()];
        ASSERT_EQ(SplitConversation(transcript, buddy, user),
                  oracles::LiteralLearning(transcript, buddy, user))
            << "transcript \"" << transcript << "\", labels \"" << buddy << "\" \"" << user << "\"";
    }
}

}  // namespace
}  // namespace brevanto::data

#include "data/Learning.h"

#include <gtest/gtest.h>

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
        {"Sam: Hi Sam: there Kim: yo Kim: sup ", {{"hi there", "yo sup"}}},
        // Text before the buddy's first line is skipped; unanswered text is not learned.
        {"Kim: hey Sam: hi Kim: hello ", {{"hi", "hello"}}},
        {"Kim: hey Kim: anyone there ", {}},
        {"Sam: hi Sam: anyone ", {}},
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
    // The user's label begins with the buddy's, and the user spoke first: nothing is learned.
    EXPECT_EQ(SplitConversation("Sam: Kim: hi Sam: yo Sam: Kim: ok ", "Sam: ", "Sam: Kim: "),
              Pairs{});
}

}  // namespace
}  // namespace brevanto::data

#include "data/Learning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "oracles/LiteralLearning.h"

namespace brevanto::data {
namespace {

using Pairs = std::vector<LearnedPair>;

// Transcripts as learning sees them: each line's line feed has become a space. These rows
// pin down what the literal split the fuzz replay trusts reads the rule as; more corners are
// its seeds.
TEST(LearningSplit, BuddyStretchesAnsweredByTheUserBecomePairs) {
    const struct {
        std::string transcript, user;
        Pairs expected;
    } cases[] = {
        // Text before the buddy's first line is skipped.
        {"Kim: hey Sam: hi Kim: hello ", "Kim: ", {{"hi", "hello"}}},
        // Labels are found case-sensitively but removed without regard to case.
        {"Sam: hi SAM: there Kim: yo ", "Kim: ", {{"hi there", "yo"}}},
        {"Sam: hi Kim: hello sam: more ", "Kim: ", {{"hi", "hello sam: more"}}},
        // Signed off, the user's label is never in a transcript.
        {"Sam: hi Kim: hello ", "[not online]: ", {}},
        // The user's label begins with the buddy's, and the user spoke first.
        {"Sam: Kim: hi Sam: yo Sam: Kim: ok ", "Sam: Kim: ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitConversation(c.transcript, "Sam: ", c.user), c.expected) << c.transcript;
        EXPECT_EQ(oracles::LiteralLearning(c.transcript, "Sam: ", c.user), c.expected)
            << c.transcript;
    }
}

}  // namespace
}  // namespace brevanto::data

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

// Transcripts as learning sees them: lines joined by spaces (each line ended by a line feed
// that became a space).
Pairs Split(const std::string& transcript) {
    return SplitConversation(transcript, "Sam: ", "Kim: ");
}

TEST(LearningSplit, EachBuddyStretchAnsweredByTheUserIsOnePair) {
    EXPECT_EQ(Split("Sam: hi Kim: hello Sam: how are you Kim: fine thanks "),
              (Pairs{{"hi", "hello"}, {"how are you", "fine thanks"}}));
    EXPECT_EQ(Split("Sam: Hi Sam: there Kim: yo Kim: sup "), (Pairs{{"hi there", "yo sup"}}));
}

TEST(LearningSplit, TextBeforeTheBuddysFirstLineIsSkippedWhenTheUserSpokeFirst) {
    EXPECT_EQ(Split("Kim: hey Sam: hi Kim: hello "), (Pairs{{"hi", "hello"}}));
    // The user alone: nothing to learn.
    EXPECT_EQ(Split("Kim: hey Kim: anyone there "), Pairs{});
}

TEST(LearningSplit, UnansweredAndUnlabelledTextIsNotLearned) {
    EXPECT_EQ(Split("Sam: hi Kim: hello Sam: bye "), (Pairs{{"hi", "hello"}}));
    EXPECT_EQ(Split("Sam: hi Sam: anyone "), Pairs{});
    EXPECT_EQ(Split(""), Pairs{});
    // Signed off, the user's label is "[not online]: " and never in a transcript.
    EXPECT_EQ(SplitConversation("Sam: hi Kim: hello ", "Sam: ", "[not online]: "), Pairs{});
}

TEST(LearningSplit, MessagesAreLowerCasedAnswersKeepTheirCase) {
    EXPECT_EQ(Split("Sam: HOW Are You Kim: Hello There "), (Pairs{{"how are you", "Hello There"}}));
    // Windows-1252 capitals fold as well.
    EXPECT_EQ(Split("Sam: \xC4RGER Kim: \xC4h "), (Pairs{{"\xE4rger", "\xC4h"}}));
}

TEST(LearningSplit, ABuddyLineWithNothingAfterTheLabelGivesAnEmptyMessage) {
    EXPECT_EQ(Split("Sam:  Kim: what? "), (Pairs{{"", "what?"}}));
}

TEST(LearningSplit, LabelsAreFoundCaseSensitivelyButRemovedWithoutRegardToCase) {
    // "SAM: " does not start a stretch, yet it is taken out of the message.
    EXPECT_EQ(Split("Sam: hi SAM: there Kim: yo "), (Pairs{{"hi there", "yo"}}));
    // A buddy label in another case does not end the answer, which runs to the end.
    EXPECT_EQ(Split("Sam: hi Kim: hello sam: more "), (Pairs{{"hi", "hello sam: more"}}));
    // Nor does the user's label in another case end the message.
    EXPECT_EQ(Split("Sam: ask KIM: later Kim: ok "), (Pairs{{"ask kim: later", "ok"}}));
}

// Seeded random transcripts made of labels, near-labels in other cases and parts of them,
// so that labels overlap, repeat and stand at the very start and end.
std::string RandomTranscript(std::mt19937& random) {
    static const std::array<const char*, 16> pieces{
        "Sam: ", "Kim: ", "sam: ", "KIM: ", "Sa", "m: ", "Kim:", ": ",
        " ",     "hi",    "Hey",   "?",     "S",  "K",   "a",    "Sam: Sam: "};
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::string text;
    for (int i = length(random); i > 0; --i) {
        text += pieces[piece(random)];
    }
    return text;
}

TEST(LearningSplit, AgreesWithTheLiteralLoopOnRandomTranscripts) {
    static const std::array<std::pair<const char*, const char*>, 6> labels{{
        {"Sam: ", "Kim: "},
        {"Sam: ", "Sam: "},  // a buddy with the user's own name
        {"Sa: ", "Sam: "},   // one label inside the other
        {"Sam: ", "am: "},
        {": ", "Kim: "},  // an empty buddy name
        {"Sam: ", "[not online]: "},
    }};
    std::mt19937 random(20261206);
    for (int round = 0; round < 20000; ++round) {
        const std::string transcript = RandomTranscript(random);
        const auto& [buddy, user] = labels[static_cast<std::size_t>(round) % labels.size()];
        ASSERT_EQ(SplitConversation(transcript, buddy, user),
                  oracles::LiteralLearning(transcript, buddy, user))
            << "transcript \"" << transcript << "\", labels \"" << buddy << "\" \"" << user << "\"";
    }
}

}  // namespace
}  // namespace brevanto::data

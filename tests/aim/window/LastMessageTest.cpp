#include <gtest/gtest.h>

#include <random>
#include <string>

#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"
#include "oracles/LiteralLastMessage.h"

namespace brevanto::modAIM {
namespace {

using aim::simulated::SimulatedAim;

class LastMessage : public testing::Test {
  protected:
    void SetUp() override { aim.SignOn("quietowl7"); }
    SimulatedAim aim;
};

TEST_F(LastMessage, TailFromTheBuddysLastLineOrNulWhenTheUserIsNamedAfterIt) {
    const struct {
        std::string transcript, name, expected;
    } cases[] = {
        {"pixelfox22: are you there? quietowl7: yes ", "pixelfox22", NulMarker},
        {"pixelfox22: hi quietowl7: yes pixelfox22: ok bye ", "pixelfox22", "pixelfox22: ok bye "},
        {"pixelfox22: is quietowl7 there? ", "pixelfox22", NulMarker},
        // Names match case-sensitively, the user's name as well.
        {"Pixelfox22: hi pixelfox22: there", "pixelfox22", "pixelfox22: there"},
        {"pixelfox22: hi PIXELFOX22: there", "pixelfox22", "pixelfox22: hi PIXELFOX22: there"},
        {"pixelfox22: hi QuietOwl7", "pixelfox22", "pixelfox22: hi QuietOwl7"},
        // Names that repeat their own start: a failed partial match hides the real one.
        {"abaabab: hi", "abab", "abab: hi"},
        {"aaab: hey", "aab", "aab: hey"},
        {"marbleJay: hi", "pixelfox22", ""},
        {"", "pixelfox22", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.transcript);
        EXPECT_EQ(GetLastMessage(aim, c.transcript, c.name), c.expected);
    }
    aim.SignOff();  // then only the not-online text counts as the user
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: hi quietowl7", "pixelfox22"),
              "pixelfox22: hi quietowl7");
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: you were [not online]", "pixelfox22"), NulMarker);
}

// The screen name is asked once, after the tail, also when the buddy never spoke; an
// empty name asks nothing.
TEST_F(LastMessage, ScreenNameIsAskedOnceAndEmptyNameAsksNothing) {
    aim.ClearCalls();
    GetMyScreenName(aim);
    const std::vector<std::string> screenNameCalls = aim.Calls();
    ASSERT_EQ(screenNameCalls.size(), 3U);
    for (const std::string transcript : {"pixelfox22: hi pixelfox22: again", "marbleJay: hi"}) {
        aim.ClearCalls();
        GetLastMessage(aim, transcript, "pixelfox22");
        EXPECT_EQ(aim.Calls(), screenNameCalls) << transcript;
    }
    aim.ClearCalls();
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: hi", ""), "");
    EXPECT_TRUE(aim.Calls().empty());
}

// Deleting "jo" from "jjoo" joins a "jo" that never stood there: the delete-and-search
// loop then answers a line nobody wrote, while the last real occurrence starts "joo".
TEST_F(LastMessage, DeletionLoopJoinsNamesThatNeverStoodThere) {
    const std::string transcript = "jo: hi jjoo: hey";
    const std::string fast = GetLastMessage(aim, transcript, "jo");
    const std::string literal =
        oracles::LiteralLastMessage(transcript, "jo", [&] { return GetMyScreenName(aim); });
    EXPECT_EQ(fast, "joo: hey");
    EXPECT_TRUE(transcript.ends_with(fast));
    EXPECT_EQ(literal, "jo: hey");
    EXPECT_FALSE(transcript.ends_with(literal));
}

// Random transcripts on which the loop is sound: the name's first letter (q, in either
// case) stands nowhere but at the start of the name's occurrences, in any case, so no
// deletion can join a new occurrence and no two occurrences overlap.
TEST(LastMessageDifferential, AgreesWithTheDeletionLoopWhereItIsSound) {
    std::mt19937 random(20240611);
    const std::string filler = "abcxyz :.!?\xE9\xC9\xFF";
    const std::string nameLetters = "abcxyzABCXYZ\xE9\xC9";
    auto number = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
    auto pick = [&](const std::string& from) {
        return from[static_cast<std::size_t>(number(static_cast<int>(from.size()) - 1))];
    };

    for (int round = 0; round < 400; ++round) {
        SimulatedAim aim;
        const std::string me = "zed";
        if (number(99) < 80) {
            aim.SignOn(me);
        }
        std::string name(1, number(1) == 0 ? 'q' : 'Q');
        for (int i = number(5); i > 0; --i) {
            name += pick(nameLetters);
        }
        std::string transcript;
        for (int piece = number(30); piece > 0; --piece) {
            const int kind = number(9);
            if (kind < 3) {
                transcript += name + ": ";
            } else if (kind < 5) {
                // The name in another case: deleted by the loop, never a match.
                std::string variant = name;
                for (char& c : variant) {
                    if (number(1) == 0) {
                        c = static_cast<char>(c ^ 0x20);
                    }
                }
                transcript += variant;
            } else if (kind == 5) {
                transcript += me;
            } else {
                transcript += pick(filler);
            }
        }

        aim.ClearCalls();
        const std::string fast = GetLastMessage(aim, transcript, name);
        const std::vector<std::string> fastCalls = aim.Calls();
        aim.ClearCalls();
        const std::string literal =
            oracles::LiteralLastMessage(transcript, name, [&] { return GetMyScreenName(aim); });
        ASSERT_EQ(fast, literal) << "transcript \"" << transcript << "\" name \"" << name << "\"";
        ASSERT_EQ(fastCalls, aim.Calls());
    }
}

}  // namespace
}  // namespace brevanto::modAIM

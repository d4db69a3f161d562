#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoreFixture.h"
#include "aim/simulated/CallFormat.h"

namespace brevanto::core::testing {
namespace {

using aim::Hwnd;
using aim::simulated::DescribeText;

constexpr const char* kTable =
    "hi=hello there\r\n"
    "how are you=fine\r\n"
    "how are you?=with mark\r\n"
    "bob=that's me\r\n"
    "empty=\r\n";

class Responder : public CoreTest {
  protected:
    void SetUp() override {
        aim.SignOn("kim");
        Start(kTable);
    }

    // Every text the responder typed into an input pane, in order, as the call log
    // writes texts.
    std::vector<std::string> Typed() const {
        const std::string marker = ", WM_SETTEXT, 0, ";
        std::vector<std::string> typed;
        for (const std::string& call : aim.Calls()) {
            const auto at = call.find(marker);
            if (at != std::string::npos) {
                typed.push_back(
                    call.substr(at + marker.size(), call.size() - at - marker.size() - 1));
            }
        }
        return typed;
    }

    // One tick, then the client's message loop, which carries out the close request.
    void Tick() {
        window->tmrCheckMessage_Timer();
        aim.ProcessMessages();
    }

    Hwnd Open(const std::string& buddy, const std::string& line) {
        const Hwnd im = aim.OpenIMWindow(buddy);
        aim.DeliverBuddyLine(im, line);
        return im;
    }

    std::vector<std::string> LoggedNames() const {
        std::vector<std::string> names;
        for (const auto& record : window->Conversations()) {
            names.push_back(record.BuddyName);
        }
        return names;
    }
};

TEST_F(Responder, ReplyIsLeadingMessageSpaceEntryTrimmedOrTheDefault) {
    controls.leadingMessage = "[away]";
    Open("bob", "hi");
    Tick();
    controls.leadingMessage = "  ";
    Open("ann", "HI  ");  // case and spaces do not matter in the lookup
    Tick();
    Open("cy", "something else");
    Tick();
    Open("dee", "empty");  // an empty response counts as none
    Tick();
    controls.leadingMessage = "";
    controls.defaultMessage = "";
    Open("eve", "nothing known");
    Tick();

    EXPECT_EQ(Typed(), (std::vector<std::string>{DescribeText("[away] hello there"),
                                                 DescribeText("hello there"), DescribeText(":-)"),
                                                 DescribeText(":-)"), DescribeText("")}));
}

TEST_F(Responder, CheckedIgnoreBoxesAreRemovedFromTheMessageInIndexOrder) {
    Open("bob", "how are you?");
    Tick();
    controls.ignoreChecked[0] = false;
    Open("ann", "how are you?!");
    Tick();
    EXPECT_EQ(Typed(), (std::vector<std::string>{DescribeText("fine"), DescribeText("with mark")}));

    controls.ignoreChecked = {true, true, false};
    controls.ignoreCaptions = {"a", "ab", "!"};
    // "a" goes first, so "ab" finds nothing left to remove; unchecked "!" stays.
    EXPECT_EQ(window->RemoveIgnored("aab!"), "b!");
}

// Only the text after the buddy's last name-label is looked up, and a responded-to caption
// still gives the buddy's name.
TEST_F(Responder, OnlyTheBuddysLastLineIsLookedUpWhateverTheCaption) {
    const Hwnd im = Open("bob", "how are you?");
    aim.DeliverBuddyLine(im, "i am bob");
    Tick();
    aim.SetRespondedCaption(Open("ann", "hi"), true);
    Tick();
    EXPECT_EQ(Typed(),
              (std::vector<std::string>{DescribeText("that's me"), DescribeText("hello there")}));
    EXPECT_EQ(LoggedNames(), (std::vector<std::string>{"bob", "ann"}));
}

TEST_F(Responder, NoReplyWhereTheUserHasSpokenOrTheNameDoesNotMatchButTheWindowIsClosed) {
    const Hwnd answered = Open("bob", "hi");
    aim.TypeAndSend(answered, "back soon");
    const Hwnd renamed = Open("ann", "hi");
    aim.SetCaption(renamed, "ANN - Instant Message");  // names compare case-sensitively
    const Hwnd nameless = Open("cy", "hi");
    aim.SetCaption(nameless, " - Instant Message");
    aim.ClearCalls();

    Tick();
    Tick();
    Tick();

    EXPECT_EQ(Typed(), std::vector<std::string>{});
    EXPECT_FALSE(aim.IsAlive(answered));
    EXPECT_FALSE(aim.IsAlive(renamed));
    EXPECT_FALSE(aim.IsAlive(nameless));
    // Newest window in front, so handled first.
    EXPECT_EQ(LoggedNames(), (std::vector<std::string>{"", "ANN", "bob"}));
    EXPECT_EQ(controls.buddyList, (std::vector<std::string>{"", "ANN", "bob"}));
}

TEST_F(Responder, AnEmptyWindowInFrontIsLeftAloneAndHoldsUpTheOthers) {
    const Hwnd waiting = Open("bob", "hi");
    const Hwnd empty = aim.OpenIMWindow("ann");
    Tick();
    Tick();
    EXPECT_TRUE(aim.IsAlive(empty));
    EXPECT_TRUE(aim.IsAlive(waiting));
    EXPECT_TRUE(window->Conversations().empty());

    aim.Close(empty);
    Tick();
    EXPECT_FALSE(aim.IsAlive(waiting));
    EXPECT_EQ(Typed(), std::vector<std::string>{DescribeText("hello there")});
}

// Answering, logging and closing, with a buddy's second window appended to the first
// record, are followed in the session test; here picking a buddy from the list.
TEST_F(Responder, PickingABuddyShowsThatBuddysRecord) {
    Open("bob", "hi");
    Tick();
    Open("ann", "hi");
    Tick();
    Open("ann", "how are you");
    Tick();
    ASSERT_EQ(LoggedNames(), (std::vector<std::string>{"bob", "ann"}));
    EXPECT_EQ(controls.selectedBuddy, 1);
    // Each tick shows the conversation it logged, setting the log box once.
    EXPECT_EQ(controls.logText, window->Conversations()[1].Transcript);
    EXPECT_EQ(controls.logTextSets, 3);
    window->cboTextMessage_Click("bob");
    EXPECT_EQ(controls.logText, window->Conversations()[0].Transcript);
    // An unknown name (names are case-sensitive) or index changes nothing.
    window->cboTextMessage_Click("Ann");
    window->ShowConversation(5);
    EXPECT_EQ(controls.logText, window->Conversations()[0].Transcript);
}

TEST_F(Responder, AnUnreadableFileAtLookupSendsTheDefaultAndSaysSoWithoutABox) {
    FailEvery("OpenForReading");
    const Hwnd im = Open("bob", "hi");
    Tick();

    EXPECT_EQ(Typed(), std::vector<std::string>{DescribeText(":-)")});
    EXPECT_FALSE(aim.IsAlive(im));
    EXPECT_TRUE(controls.boxes.empty());
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_NE(controls.statusMessages[0].find(dataFile.string()), std::string::npos);
}

TEST_F(Responder, ATickWithoutIMWindowsDoesNothing) {
    aim.ClearCalls();
    window->tmrCheckMessage_Timer();
    EXPECT_EQ(aim.Calls(), std::vector<std::string>{"FindWindowA(\"AIM_IMessage\", null)"});
    EXPECT_TRUE(window->Conversations().empty());
}

}  // namespace
}  // namespace brevanto::core::testing

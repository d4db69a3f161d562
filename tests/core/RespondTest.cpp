// The auto-respond cycle against the simulated client, tick by tick, and its options.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "CoreFixture.h"
#include "aim/simulated/CallFormat.h"
#include "core/TrayMode.h"
#include "data/ConversationFiles.h"

namespace brevanto::core::testing {
namespace {

using aim::Hwnd;
using aim::simulated::DescribeText;
using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

class Responder : public CoreTest {
  protected:
    void SetUp() override {
        aim.SignOn("kim");
        Start(
            "hi=hello there\r\nhow are you=fine\r\nhow are you?=with mark\r\nbob=that's me\r\n"
            "empty=\r\n");
        window->SetClock([this] { return now; });
    }

    // Every text the responder typed into an input pane since the calls were last cleared,
    // in order, as the call log writes texts.
    Texts Typed() const {
        const std::string marker = ", WM_SETTEXT, 0, ";
        Texts typed;
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

    // A window with one line from buddy, and one tick: whether it typed a reply.
    bool Answers(const std::string& buddy, const std::string& line) {
        Open(buddy, line);
        aim.ClearCalls();
        Tick();
        return !Typed().empty();
    }

    std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
};

// Checked Ignore texts are removed in index order, and only the text after the buddy's last
// name-label is looked up; a responded-to caption still gives the buddy's name.
TEST_F(Responder, ReplyIsLeadingMessageSpaceEntryForTheLastLineTrimmedOrTheDefault) {
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
    Open("eve", "how are you?");
    Tick();
    aim.DeliverBuddyLine(Open("bob", "how are you?"), "i am bob");
    Tick();
    aim.SetRespondedCaption(Open("fay", "hi"), true);
    Tick();
    controls.ignoreChecked[0] = false;
    Open("gus", "how are you?!");
    Tick();
    controls.defaultMessage = "";
    Open("hal", "nothing known");
    Tick();

    EXPECT_EQ(Typed(), (Texts{DescribeText("[away] hello there"), DescribeText("hello there"),
                              DescribeText(":-)"), DescribeText(":-)"), DescribeText("fine"),
                              DescribeText("that's me"), DescribeText("hello there"),
                              DescribeText("with mark"), DescribeText("")}));
    controls.ignoreChecked = {true, true, false};
    controls.ignoreCaptions = {"a", "ab", "!"};
    // "a" goes first, so "ab" finds nothing left to remove; unchecked "!" stays.
    EXPECT_EQ(window->RemoveIgnored("aab!"), "b!");
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

    EXPECT_EQ(Typed(), Texts{});
    EXPECT_FALSE(aim.IsAlive(answered));
    EXPECT_FALSE(aim.IsAlive(renamed));
    EXPECT_FALSE(aim.IsAlive(nameless));
    // Newest window in front, so handled first.
    EXPECT_EQ(controls.buddyList, (Texts{"", "ANN", "bob"}));
}

// A tick without IM windows only looks for one.
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
    EXPECT_EQ(Typed(), Texts{DescribeText("hello there")});
    aim.ClearCalls();
    window->tmrCheckMessage_Timer();
    EXPECT_EQ(aim.Calls(), Texts{"FindWindowA(\"AIM_IMessage\", null)"});
}

// A buddy's second window is appended to the first record, read after the reply.
TEST_F(Responder, EachBuddyHasOneRecordAndPickingABuddyShowsIt) {
    Open("bob", "hi");
    Tick();
    Open("ann", "hi");
    Tick();
    Open("ann", "how are you");
    Tick();
    ASSERT_EQ(window->Conversations().size(), 2u);
    EXPECT_EQ(controls.buddyList, (Texts{"bob", "ann"}));
    EXPECT_EQ(window->Conversations()[1].Transcript,
              "ann: hi\nkim: hello there\n\nann: how are you\nkim: fine\n");
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

TEST_F(Responder, StartingAsksFirstAndOnlyNoRefusesStoppingNeverAsks) {
    // Timer, start caption, start menu, stop menu, learn button, learn menu.
    const ModeControls idle{false, "&Start Auto Respond", true, false, true, true};
    const ModeControls on{true, "Sto&p Auto Respond", false, true, false, false};
    const ShownBox notice =
        Box("This will close all current IM windows, and you will also not be able to view any IM "
            "windows when the program is running. But don't worry, the messages will be saved and "
            "you can view them on the box on the right side. Do you want to continue?",
            kYesNo, "Notice");
    EXPECT_EQ(controls.mode, idle);
    controls.msgBoxAnswers = {kNo};
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, idle);
    // A box closed some other way still switches on; stopping never asks.
    controls.msgBoxAnswers = {kCancel};
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, on);
    EXPECT_EQ(TrayTip(controls.mode), "Brevanto: answering messages");
    window->ToggleAutoRespond();
    EXPECT_EQ(controls.mode, idle);
    EXPECT_EQ(TrayTip(controls.mode), "Brevanto");
    window->ToggleAutoRespond();  // every start asks again
    EXPECT_EQ(controls.mode, on);
    EXPECT_EQ(controls.boxes, (std::vector<ShownBox>{notice, notice, notice}));
}

// Test a Message takes the tick's path on the file as it is on disk.
TEST_F(Responder, TestAMessageExplainsTheReplyFromTheDataFile) {
    controls.leadingMessage = "[away]";
    controls.inputBoxAnswers = {"  Hi?!", "empty", "what", ""};
    window->TestAMessage();
    window->AddMessageRow();  // an edit not saved yet
    window->TestAMessage();
    window->TestAMessage();
    window->TestAMessage();  // Cancel shows nothing

    ASSERT_EQ(controls.boxes.size(), 7u);
    EXPECT_EQ(controls.boxes[0].title, "Test a Message");
    const std::string path = dataFile.string();
    EXPECT_EQ(controls.boxes[1].prompt,
              "Message (speaker label and Ignore texts removed): \"  Hi\"\nKey looked up in " +
                  path +
                  ": \"hi\"\nEntry: row 1, \"hi=hello there\"\nLeading message: \"[away]\"\n"
                  "Reply: \"[away] hello there\"");
    EXPECT_THAT(controls.boxes[3].prompt,
                HasSubstr("row 5, \"empty=\" (empty response: the default message)"));
    EXPECT_THAT(controls.boxes[3].prompt, HasSubstr("not saved yet"));
    EXPECT_THAT(controls.boxes[5].prompt, HasSubstr("Entry: no entry: the default message"));
    EXPECT_THAT(controls.boxes[5].prompt, HasSubstr("Reply: \"[away] :-)\""));
    FailEvery("Read");  // the lookup fails half-way: the default message, and why
    controls.inputBoxAnswers = {"hi"};
    window->TestAMessage();
    EXPECT_THAT(controls.boxes.back().prompt,
                HasSubstr("Reply: \"[away] :-)\"\n\nThe data file could "
                          "not be read"));
    // Every file opened is closed again, after a failed read too.
    EXPECT_EQ(files.Calls("Close"), files.Calls("OpenForReading") + files.Calls("OpenOrCreate"));
}

TEST_F(Responder, ALimitedBuddyIsLoggedAndClosedWithoutAReplyUntilTheLimitPassed) {
    controls.inputBoxAnswers = {"abc", "5"};
    window->AskReplyLimit();  // refused, nothing changes
    EXPECT_EQ(controls.boxes.back().prompt.find("The reply limit must be"), 0u);
    window->AskReplyLimit();
    EXPECT_EQ(controls.replyLimitShown, 5);

    EXPECT_TRUE(Answers("bob", "hi"));
    now += 4min + 59s;
    EXPECT_FALSE(Answers("bob", "hi"));  // a new window, as after closing the first
    EXPECT_TRUE(aim.IMWindows().empty());
    EXPECT_EQ(window->Conversations()[0].Transcript,
              "bob: hi\nkim: hello there\n\nbob: hi\n"
              "(Brevanto did not answer: bob was answered less than 5 minutes ago.)\n");
    EXPECT_TRUE(Answers("ann", "hi"));  // per buddy
    now += 1s;
    EXPECT_TRUE(Answers("bob", "hi"));
}

// Failing files never hold up the responder: a data file unreadable at lookup gives the
// default message, a conversation that cannot be kept is still answered, and either shows
// in the status only, never in a box.
TEST_F(Responder, KeptConversationsAreAppendedAndFailingFilesOnlyShowInTheStatus) {
    Answers("bob", "hi");
    EXPECT_FALSE(fs::exists(folder / "logs"));  // off by default
    window->ToggleKeepConversations();
    EXPECT_TRUE(controls.keepConversationsShown);
    Answers("bob", "hi");
    Answers("bob", "empty");
    const std::string kept = ReadBytes(data::ConversationFile(dataFile, "bob"));
    const std::regex twoEntries(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\nbob: hi\r\nkim: hello there\r\n\r\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\nbob: empty\r\nkim: :-\\)\r\n\r\n");
    EXPECT_TRUE(std::regex_match(kept, twoEntries)) << kept;

    // A write that passes nothing on ends in an error, not in trying for ever.
    files.LimitWrites(0);
    EXPECT_TRUE(Answers("cy", "hi"));
    EXPECT_EQ(controls.statusMessages.size(), 1u);
    controls.statusMessages.clear();
    files.LimitWrites(std::numeric_limits<std::size_t>::max());

    FailEvery("OpenOrCreate");
    EXPECT_TRUE(Answers("ann", "hi"));
    EXPECT_TRUE(aim.IMWindows().empty());
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_EQ(controls.statusMessages[0].find("The conversation with ann could not be kept. " +
                                              data::ConversationFile(dataFile, "ann").string()),
              0u);

    FailEvery("OpenForReading");
    EXPECT_TRUE(Answers("dee", "hi"));
    EXPECT_EQ(Typed(), Texts{DescribeText(":-)")});
    EXPECT_TRUE(aim.IMWindows().empty());
    EXPECT_THAT(controls.statusMessages[1], HasSubstr("sent. " + dataFile.string()));
    EXPECT_TRUE(controls.boxes.empty());
}

TEST_F(Responder, OptionsAreWrittenWhenChangedAndReadAtStart) {
    const fs::path ini = folder / "brevanto.ini";
    window->OptionsChanged();
    EXPECT_FALSE(fs::exists(ini));  // nothing changed: nothing written

    controls.leadingMessage = "[away]";
    controls.ignoreChecked[1] = false;
    window->OptionsChanged();
    window->ToggleKeepConversations();
    controls.inputBoxAnswers = {"10"};
    window->AskReplyLimit();
    const data::Settings changed = window->CurrentSettings();

    window.reset();
    controls = HeadlessControls{};
    Start(nullptr);
    EXPECT_EQ(window->CurrentSettings(), changed);
    EXPECT_EQ(controls.leadingMessage, "[away]");
    EXPECT_TRUE(controls.keepConversationsShown);
    EXPECT_TRUE(controls.statusMessages.empty());

    FailEvery("Rename");
    controls.defaultMessage = "brb";
    window->OptionsChanged();
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_EQ(controls.statusMessages[0].find("The options could not be saved."), 0u);

    // A damaged file gives the start values and a notice.
    WriteBytes(ini, "LeadingMessage=x\r\nReplyLimitMinutes=soon\r\n");
    window.reset();
    controls = HeadlessControls{};
    controls.leadingMessage = "as loaded";  // the controls keep what they start with
    Start(nullptr);
    data::Settings expected;
    expected.leadingMessage = "as loaded";
    EXPECT_EQ(window->CurrentSettings(), expected);
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_THAT(controls.statusMessages[0], HasSubstr("are damaged"));
}

}  // namespace
}  // namespace brevanto::core::testing

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>

#include "CoreFixture.h"
#include "data/ConversationFiles.h"

namespace brevanto::core::testing {
namespace {

using aim::Hwnd;
using namespace std::chrono_literals;

class ResponderOptions : public CoreTest {
  protected:
    void SetUp() override {
        aim.SignOn("kim");
        Start("hi=hello there\r\nbye=\r\n");
        window->SetClock([this] { return now; });
    }

    Hwnd Tick(const std::string& buddy, const std::string& line) {
        const Hwnd im = aim.OpenIMWindow(buddy);
        aim.DeliverBuddyLine(im, line);
        aim.ClearCalls();
        window->tmrCheckMessage_Timer();
        aim.ProcessMessages();
        return im;
    }

    // Whether the last tick typed a reply.
    bool Replied() const {
        for (const std::string& call : aim.Calls()) {
            if (call.find(", WM_SETTEXT, 0, ") != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    void Restart() {
        window.reset();
        controls = HeadlessControls{};
        Start(nullptr);
    }

    std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
};

// Test a Message takes the tick's path on the file as it is on disk.
TEST_F(ResponderOptions, TestAMessageExplainsTheReplyFromTheDataFile) {
    controls.leadingMessage = "[away]";
    controls.inputBoxAnswers = {"  Hi?!", "bye", "what", ""};
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
    EXPECT_NE(
        controls.boxes[3].prompt.find("row 2, \"bye=\" (empty response: the default message)"),
        std::string::npos);
    EXPECT_NE(controls.boxes[3].prompt.find("not saved yet"), std::string::npos);
    EXPECT_NE(controls.boxes[5].prompt.find("Entry: no entry: the default message"),
              std::string::npos);
    EXPECT_NE(controls.boxes[5].prompt.find("Reply: \"[away] :-)\""), std::string::npos);
    FailEvery("Read");  // the lookup fails half-way: the default message, and why
    controls.inputBoxAnswers = {"hi"};
    window->TestAMessage();
    EXPECT_NE(controls.boxes.back().prompt.find("Reply: \"[away] :-)\"\n\nThe data file could "
                                                "not be read"),
              std::string::npos);
    // Every file opened is closed again, after a failed read too.
    EXPECT_EQ(files.Calls("Close"), files.Calls("OpenForReading") + files.Calls("OpenOrCreate"));
}

TEST_F(ResponderOptions, ALimitedBuddyIsLoggedAndClosedWithoutAReplyUntilTheLimitPassed) {
    controls.inputBoxAnswers = {"abc", "5"};
    window->AskReplyLimit();  // refused, nothing changes
    EXPECT_EQ(controls.boxes.back().prompt.find("The reply limit must be"), 0u);
    window->AskReplyLimit();
    EXPECT_EQ(controls.replyLimitShown, 5);

    Tick("bob", "hi");
    EXPECT_TRUE(Replied());
    now += 4min + 59s;
    const Hwnd again = Tick("bob", "hi");  // a new window, as after closing the first
    EXPECT_FALSE(Replied());
    EXPECT_FALSE(aim.IsAlive(again));
    EXPECT_NE(window->Conversations()[0].Transcript.find(
                  "(Brevanto did not answer: bob was answered less than 5 minutes ago.)"),
              std::string::npos);
    Tick("ann", "hi");
    EXPECT_TRUE(Replied());  // per buddy
    now += 1s;
    Tick("bob", "hi");
    EXPECT_TRUE(Replied());
}

TEST_F(ResponderOptions, KeptConversationsAreAppendedAndAFailedWriteOnlyShowsInTheStatus) {
    Tick("bob", "hi");
    EXPECT_FALSE(fs::exists(folder / "logs"));  // off by default
    window->ToggleKeepConversations();
    EXPECT_TRUE(controls.keepConversationsShown);
    Tick("bob", "hi");
    Tick("bob", "bye");
    const std::string kept = ReadBytes(data::ConversationFile(dataFile, "bob"));
    const std::regex twoEntries(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\nbob: hi\r\nkim: hello there\r\n\r\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\nbob: bye\r\nkim: :-\\)\r\n\r\n");
    EXPECT_TRUE(std::regex_match(kept, twoEntries)) << kept;

    FailEvery("OpenOrCreate");
    const Hwnd im = Tick("ann", "hi");
    EXPECT_TRUE(Replied());
    EXPECT_FALSE(aim.IsAlive(im));
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_EQ(controls.statusMessages[0].find("The conversation with ann could not be kept. " +
                                              data::ConversationFile(dataFile, "ann").string()),
              0u);
}

TEST_F(ResponderOptions, OptionsAreWrittenWhenChangedAndReadAtStart) {
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

    Restart();
    EXPECT_EQ(window->CurrentSettings(), changed);
    EXPECT_EQ(controls.leadingMessage, "[away]");
    EXPECT_TRUE(controls.keepConversationsShown);
    EXPECT_TRUE(controls.statusMessages.empty());

    FailEvery("Rename");
    controls.defaultMessage = "brb";
    window->OptionsChanged();
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_EQ(controls.statusMessages[0].find("The options could not be saved."), 0u);
}

TEST_F(ResponderOptions, ADamagedOptionsFileGivesTheStartValuesAndANotice) {
    WriteBytes(folder / "brevanto.ini", "LeadingMessage=x\r\nReplyLimitMinutes=soon\r\n");
    window.reset();
    controls = HeadlessControls{};
    controls.leadingMessage = "as loaded";  // the controls keep what they start with
    Start(nullptr);
    data::Settings expected;
    expected.leadingMessage = "as loaded";
    EXPECT_EQ(window->CurrentSettings(), expected);
    ASSERT_EQ(controls.statusMessages.size(), 1u);
    EXPECT_NE(controls.statusMessages[0].find("are damaged"), std::string::npos);
}

}  // namespace
}  // namespace brevanto::core::testing

// A 1 MB buddy message of hostile HTML, and an IM window that stops answering: the tick
// must get through both with the reply the data file gives, and leave the responder working.
#include <gtest/gtest.h>

#include <string>

#include "HostileTranscript.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/TempDir.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"
#include "oracles/LiteralText.h"

namespace brevanto::hardening {
namespace {

using aim::simulated::SimulatedAim;

// The key the responder must look the hostile message up by, worked out with the literal
// conversion and the last occurrence of the name: the message from the last name on,
// without the label and the ignored characters, lower-cased and trimmed.
std::string ExpectedKey(const std::string& html, const std::string& buddy) {
    std::string text = oracle::HTMLToText(html);
    text = oracle::ReplaceText(text, "\n", " ");
    text = text.substr(text.rfind(buddy));
    text = oracle::ReplaceText(text, buddy + ":", "");
    // The ignored characters have no case, so erasing them is their replacement by "";
    // the literal loop would copy the megabyte once for every "!" of the "<!--" openers.
    for (const char ignored : {'?', '.', '!'}) {
        std::erase(text, ignored);
    }
    return codepage::ToLower(modFileIO::Trim(text));
}

// A signed-on client and a responder whose data.dat each test writes first.
class HostileInput : public ::testing::Test {
  protected:
    HostileInput() { aim.SignOn("quietowl7"); }

    testing::TempDir folder;
    SimulatedAim aim;
    core::HeadlessControls controls;
    core::MainWindow window{aim, controls, folder / "data.dat"};
};

TEST_F(HostileInput, AOneMegabyteMessageOfBrokenTagsNamesAndNulsIsAnsweredAndLogged) {
    const std::string html = HostileTranscriptHtml();
    ASSERT_GE(html.size(), kOneMegabyte);
    const std::string buddy(kHostileBuddy);
    const std::string key = ExpectedKey(html, buddy);
    ASSERT_GT(key.size(), 100000u) << "the NUL block belongs to the message looked up";
    ASSERT_EQ(key.find('='), std::string::npos);

    testing::WriteBytes(folder / "data.dat", "hi=hello\r\n" + key + "=hostile message handled\r\n");
    const auto im = aim.OpenIMWindow(buddy);
    aim.SetCaption(aim.TranscriptPane(im), html);

    window.tmrCheckMessage_Timer();
    // The close request is still queued: the pane shows what the tick did to it.
    const std::string pane = aim.TranscriptHtml(im);
    aim.ProcessMessages();

    // The reply proves the whole lookup key came out as the literal conversion gives it.
    EXPECT_TRUE(pane.ends_with("> hostile message handled</FONT><BR></BODY></HTML>"));
    EXPECT_FALSE(aim.IsAlive(im));
    ASSERT_EQ(window.Conversations().size(), 1u);
    EXPECT_EQ(window.Conversations()[0].BuddyName, buddy);
    // Compared without printing: a failure would otherwise dump megabytes.
    EXPECT_TRUE(window.Conversations()[0].Transcript == oracle::HTMLToText(pane));
    EXPECT_TRUE(controls.logText == window.Conversations()[0].Transcript);
    EXPECT_TRUE(controls.boxes.empty());

    // The responder goes on as before with the next window.
    const auto next = aim.ReceiveMessage("quietowl8", "hi");
    window.tmrCheckMessage_Timer();
    EXPECT_NE(aim.TranscriptHtml(next).find("> hello</FONT>"), std::string::npos);
}

// Every window of a hung client: sent messages time out and read as nothing.
void StallClient(SimulatedAim& aim, aim::Hwnd im, bool stalled) {
    for (const aim::Hwnd window :
         {im, aim.TranscriptPane(im), aim.InputPane(im), aim.SendButton(im)}) {
        aim.SetStalled(window, stalled);
    }
}

// How many messages the tick sent to a window that did not answer; on Windows each costs
// at most the send time-out.
int SentToStalled(const SimulatedAim& aim, const std::vector<aim::Hwnd>& stalled) {
    int count = 0;
    for (const std::string& call : aim.Calls()) {
        for (const aim::Hwnd window : stalled) {
            count += call.starts_with("SendMessageA(" + std::to_string(window) + ",") ? 1 : 0;
        }
    }
    return count;
}

TEST_F(HostileInput, AHungIMWindowIsLeftAloneLikeAnEmptyOneAndAnsweredOnceItRecovers) {
    testing::WriteBytes(folder / "data.dat", "hi=hello\r\n");

    const auto empty = aim.OpenIMWindow("emptybuddy");
    aim.ClearCalls();
    window.tmrCheckMessage_Timer();
    const std::vector<std::string> callsForEmpty = aim.Calls();

    aim.Close(empty);
    const auto hung = aim.ReceiveMessage("pixelfox22", "hi");
    const std::string before = aim.TranscriptHtml(hung);
    StallClient(aim, hung, true);
    for (int tick = 0; tick < 3; ++tick) {
        aim.ClearCalls();
        window.tmrCheckMessage_Timer();
        aim.ProcessMessages();
        // The same calls as for a window whose transcript reads empty, and no more than
        // two of them wait for the hung window.
        EXPECT_EQ(aim.Calls().size(), callsForEmpty.size());
        EXPECT_LE(SentToStalled(aim, {hung, aim.TranscriptPane(hung), aim.InputPane(hung),
                                      aim.SendButton(hung)}),
                  2);
    }
    EXPECT_TRUE(aim.IsAlive(hung));
    EXPECT_EQ(aim.TranscriptHtml(hung), before);
    EXPECT_TRUE(aim.InputText(hung).empty());
    EXPECT_TRUE(window.Conversations().empty());
    EXPECT_TRUE(controls.boxes.empty());

    StallClient(aim, hung, false);
    window.tmrCheckMessage_Timer();
    EXPECT_NE(aim.TranscriptHtml(hung).find("> hello</FONT>"), std::string::npos);
    aim.ProcessMessages();
    EXPECT_FALSE(aim.IsAlive(hung));
    ASSERT_EQ(window.Conversations().size(), 1u);
}

}  // namespace
}  // namespace brevanto::hardening

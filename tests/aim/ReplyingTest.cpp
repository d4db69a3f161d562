#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"

namespace brevanto::modAIM {
namespace {

using aim::simulated::ReceivedMessage;
using aim::simulated::SimulatedAim;
using testing::ElementsAre;
using testing::HasSubstr;

std::string H(Hwnd window) {
    return std::to_string(window);
}

class Replying : public testing::Test {
  protected:
    void SetUp() override {
        aim.SignOn("quietowl7");
        im = aim.OpenIMWindow("pixelfox22");
        aim.DeliverBuddyLine(im, "are you there?");
        aim.ClearCalls();
    }
    // The calls SendIM makes to the window, whose parts are the given handles.
    static std::vector<std::string> SendIMCalls(Hwnd im, Hwnd transcript, Hwnd input, Hwnd button,
                                                const std::string& settext) {
        return {"FindWindowExA(" + H(im) + ", 0, \"WndAte32Class\", null)",
                "GetWindow(" + H(transcript) + ", GW_HWNDNEXT)",
                "SendMessageA(" + H(input) + ", WM_SETTEXT, 0, " + settext + ")",
                "FindWindowExA(" + H(im) + ", 0, \"_Oscar_IconBtn\", null)",
                "SendMessageA(" + H(button) + ", WM_LBUTTONDOWN, 0, 0)",
                "SendMessageA(" + H(button) + ", WM_LBUTTONUP, 0, 0)"};
    }
    std::vector<std::string> SendIMCalls(const std::string& settext) const {
        return SendIMCalls(im, aim.TranscriptPane(im), aim.InputPane(im), aim.SendButton(im),
                           settext);
    }
    SimulatedAim aim;
    Hwnd im = 0;
};

TEST_F(Replying, SendIMSetsTheInputPaneAndPressesSendOnceEvenForAnEmptyReply) {
    aim.TypeInput(im, "half-typed by the user");
    SendIM(aim, im, "yes");
    EXPECT_EQ(aim.Calls(), SendIMCalls("\"yes\""));
    EXPECT_THAT(aim.MessagesOf(aim.SendButton(im)),
                ElementsAre(ReceivedMessage{aim::WM_LBUTTONDOWN, 0, 0, false},
                            ReceivedMessage{aim::WM_LBUTTONUP, 0, 0, false}));
    EXPECT_EQ(aim.InputText(im), "");
    EXPECT_EQ(GetIMText(aim, im), "pixelfox22: are you there?\nquietowl7: yes\n");
    EXPECT_TRUE(aim.IsAlive(im));

    aim.TypeInput(im, "draft");
    const std::string before = aim.TranscriptHtml(im);
    aim.ClearCalls();
    SendIM(aim, im, "");
    EXPECT_EQ(aim.Calls(), SendIMCalls("\"\""));
    EXPECT_EQ(aim.InputText(im), "");
    EXPECT_EQ(aim.TranscriptHtml(im), before);  // AIM sends no empty message

    // A missing window gets the same calls, and nothing happens.
    aim.ClearCalls();
    SendIM(aim, 0, "yes");
    EXPECT_EQ(aim.Calls(), SendIMCalls(0, 0, 0, 0, "\"yes\""));
    EXPECT_EQ(aim.TranscriptHtml(im), before);
}

TEST_F(Replying, ReplyGoesIntoThePaneUnchanged) {
    // With the button hung the pane keeps what SendIM put there.
    aim.SetStalled(aim.SendButton(im), true);
    const std::string reply = "line1\nline2\r\ncaf\xE9 \xFF";
    SendIM(aim, im, reply);
    EXPECT_EQ(aim.Calls(), SendIMCalls(R"("line1\nline2\r\ncaf\xE9 \xFF")"));
    EXPECT_EQ(aim.InputText(im), reply);

    aim.SetStalled(aim.SendButton(im), false);
    SendIM(aim, im, reply);
    EXPECT_THAT(aim.TranscriptHtml(im), HasSubstr("> line1<BR>line2<BR>caf\xE9 \xFF</FONT>"));
}

TEST_F(Replying, CloseWindowPostsOneCloseThatActsOnTheNextMessageLoop) {
    const Hwnd behind = aim.OpenIMWindow("marbleJay");
    aim.BringToFront(im);
    aim.ClearCalls();
    CloseWindow(aim, im);
    EXPECT_THAT(aim.Calls(), ElementsAre("PostMessageA(" + H(im) + ", WM_CLOSE, 0, 0)"));
    EXPECT_TRUE(aim.IsAlive(im));
    EXPECT_EQ(aim.FindWindowA("AIM_IMessage", nullptr), im);

    EXPECT_EQ(aim.ProcessMessages(), 1U);
    EXPECT_FALSE(aim.IsAlive(im));
    EXPECT_FALSE(aim.IsAlive(aim.TranscriptPane(im)));
    EXPECT_THAT(aim.MessagesOf(im), ElementsAre(ReceivedMessage{aim::WM_CLOSE, 0, 0, true}));
    EXPECT_EQ(aim.FindWindowA("AIM_IMessage", nullptr), behind);
    EXPECT_EQ(GetIMBuddyName(aim, aim.FindWindowA("AIM_IMessage", nullptr)), "marbleJay");
}

TEST_F(Replying, CloseOfAHungWindowWaitsUntilItRecovers) {
    aim.SetStalled(im, true);
    CloseWindow(aim, im);
    EXPECT_EQ(aim.ProcessMessages(), 0U);
    EXPECT_TRUE(aim.IsAlive(im));
    aim.SetStalled(im, false);
    EXPECT_EQ(aim.ProcessMessages(), 1U);
    EXPECT_FALSE(aim.IsAlive(im));
    EXPECT_EQ(aim.PendingMessages(), 0U);
}

}  // namespace
}  // namespace brevanto::modAIM

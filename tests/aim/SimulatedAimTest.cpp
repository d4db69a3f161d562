#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "aim/simulated/SimulatedAim.h"
#include "aim/simulated/TranscriptHtml.h"

namespace brevanto::aim::simulated {
namespace {

using testing::ElementsAre;

class Client : public testing::Test {
  protected:
    void SetUp() override {
        aim.SignOn("quietowl7");
        im = aim.OpenIMWindow("pixelfox22");
    }
    SimulatedAim aim;
    Hwnd im = 0;
};

TEST_F(Client, TranscriptIsAimStyleHtmlWithTheClocksTimeStamps) {
    aim.SetTime(21, 14, 2);
    aim.DeliverBuddyLine(im, "are you there?");
    EXPECT_EQ(
        aim.TranscriptHtml(im),
        R"(<HTML><BODY BGCOLOR="#ffffff"><FONT COLOR="#ff0000"><B>pixelfox22<!-- (9:14:02 PM)--></B>:</FONT><FONT COLOR="#000000"> are you there?</FONT><BR></BODY></HTML>)");

    aim.AdvanceTime(3);
    aim.TypeAndSend(im, "yes <3 & more");
    EXPECT_EQ(
        aim.TranscriptHtml(im),
        R"(<HTML><BODY BGCOLOR="#ffffff"><FONT COLOR="#ff0000"><B>pixelfox22<!-- (9:14:02 PM)--></B>:</FONT><FONT COLOR="#000000"> are you there?</FONT><BR>)"
        R"(<FONT COLOR="#0000ff"><B>quietowl7<!-- (9:14:05 PM)--></B>:</FONT><FONT COLOR="#000000"> yes &lt;3 &amp; more</FONT><BR></BODY></HTML>)");
    EXPECT_EQ(aim.InputText(im), "");
}

TEST(TranscriptHtml, TimeStampsAndLineBreaks) {
    EXPECT_EQ(FormatTimestamp(0), "12:00:00 AM");
    EXPECT_EQ(FormatTimestamp(12 * 3600), "12:00:00 PM");
    EXPECT_EQ(FormatTimestamp(13 * 3600 + 5 * 60 + 9), "1:05:09 PM");
    EXPECT_EQ(FormatTimestamp(24 * 3600 + 59), "12:00:59 AM");
    EXPECT_EQ(FormatTimestamp(-1), "11:59:59 PM");
    EXPECT_EQ(TypedTextToHtml("a\r\nb\nc\rd>"), "a<BR>b<BR>c<BR>d&gt;");
}

// Down then up sends, as every SendIM test shows; up alone, or down alone, sends nothing.
TEST_F(Client, SendButtonSendsOnlyOnUpAfterDown) {
    aim.TypeInput(im, "hello");
    for (const unsigned message : {WM_LBUTTONUP, WM_LBUTTONDOWN}) {
        aim.SendMessageA(aim.SendButton(im), message, 0, 0);
        EXPECT_EQ(aim.TranscriptHtml(im), "");
        EXPECT_EQ(aim.InputText(im), "hello");
    }
}

// Finding the buddy list and its caption, before and after signing off, is what reading
// the screen name runs on.
TEST_F(Client, SignedOffNothingIsSentAndTheBuddyListIsGone) {
    const Hwnd list = aim.BuddyListWindow();
    aim.SignOff();
    aim.TypeAndSend(im, "hello");
    EXPECT_EQ(aim.TranscriptHtml(im), "");
    EXPECT_EQ(aim.InputText(im), "hello");

    aim.SignOn("quietowl7");
    EXPECT_GT(aim.BuddyListWindow(), list);  // a new window, never the old handle
    EXPECT_FALSE(aim.IsAlive(list));
}

TEST_F(Client, TextMessagesBehaveLikeAnEditControl) {
    const Hwnd input = aim.InputPane(im);
    const std::string text = "abcdef";
    EXPECT_EQ(aim.SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(text.c_str())),
              1);
    EXPECT_EQ(aim.SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), 6);
    char buffer[8] = "zzzzzzz";
    EXPECT_EQ(aim.SendMessageA(input, WM_GETTEXT, 4, reinterpret_cast<std::intptr_t>(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 5), std::string("abc\0z", 5));
    EXPECT_EQ(aim.SendMessageA(input, WM_GETTEXT, 0, reinterpret_cast<std::intptr_t>(buffer)), 0);
    EXPECT_EQ(buffer[0], 'a');
    EXPECT_EQ(aim.GetWindowTextA(im, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), "pixe");

    aim.SetStalled(input, true);
    EXPECT_EQ(aim.SendMessageA(input, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(Client, PostingQueuesOnlyWhatCanWait) {
    EXPECT_FALSE(aim.PostMessageA(999, WM_CLOSE, 0, 0));
    EXPECT_FALSE(aim.PostMessageA(aim.InputPane(im), WM_SETTEXT, 0, 0));
    // A child does not close; a closed window's queued messages are dropped.
    EXPECT_TRUE(aim.PostMessageA(aim.InputPane(im), WM_CLOSE, 0, 0));
    EXPECT_TRUE(aim.PostMessageA(im, WM_CLOSE, 0, 0));
    EXPECT_TRUE(aim.PostMessageA(im, WM_CLOSE, 0, 0));
    EXPECT_EQ(aim.ProcessMessages(), 2U);
    EXPECT_FALSE(aim.IsAlive(im));
    EXPECT_EQ(aim.PendingMessages(), 0U);
}

TEST_F(Client, IncomingMessagesFindTheBuddysWindowAndChangesAreAnnounced) {
    int changes = 0;
    aim.onChanged = [&] { ++changes; };
    EXPECT_EQ(aim.ReceiveMessage("pixelfox22", "hi"), im);
    EXPECT_EQ(changes, 1);
    const Hwnd other = aim.ReceiveMessage("marbleJay", "hey");
    EXPECT_NE(other, im);
    EXPECT_THAT(aim.IMWindows(), ElementsAre(other, im));  // the newest is in front
    EXPECT_EQ(aim.FindWindowExA(0, other, IMWindowClass, nullptr), im);
    aim.PostMessageA(other, WM_CLOSE, 0, 0);
    const int beforeLoop = changes;
    aim.ProcessMessages();
    EXPECT_GT(changes, beforeLoop);
    EXPECT_THAT(aim.IMWindows(), ElementsAre(im));
}

}  // namespace
}  // namespace brevanto::aim::simulated

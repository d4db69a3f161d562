// modAIM's window routines on the simulated client: what they read, and what they send and
// close.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"

namespace brevanto::modAIM {
namespace {

using aim::simulated::ReceivedMessage;
using aim::simulated::SimulatedAim;
using testing::ElementsAre;
using testing::HasSubstr;
using Calls = std::vector<std::string>;

class ReadingWindows : public testing::Test {
  protected:
    SimulatedAim aim;
};

// A window whose text shrinks between the two calls still gives the announced length:
// texts are padded with spaces after the window's NUL, captions with NULs.
TEST_F(ReadingWindows, ShortCopyKeepsTheAnnouncedLength) {
    const Hwnd im = aim.OpenIMWindow("pixelfox22");
    aim.TypeInput(im, "0123456789");
    aim.SetShortCopy(aim.InputPane(im), 6);
    EXPECT_EQ(GetText(aim, aim.InputPane(im)), std::string("012345\0   ", 10));

    aim.SetCaption(im, "0123456789");
    aim.SetShortCopy(im, 6);
    EXPECT_EQ(GetCaption(aim, im), std::string("012345\0\0\0\0", 10));
}

TEST_F(ReadingWindows, MissingClosedAndStalledWindowsReadAsEmpty) {
    const Hwnd im = aim.OpenIMWindow("pixelfox22");
    aim.DeliverBuddyLine(im, "hello");
    EXPECT_EQ(GetText(aim, 0), "");
    EXPECT_EQ(GetCaption(aim, 0), "");
    EXPECT_EQ(GetIMBuddyName(aim, 0), "");
    EXPECT_EQ(GetIMText(aim, 0), "");

    aim.SetStalled(aim.TranscriptPane(im), true);
    EXPECT_EQ(GetIMText(aim, im), "");

    const Hwnd pane = aim.TranscriptPane(im);
    aim.Close(im);
    EXPECT_EQ(GetText(aim, pane), "");
    EXPECT_EQ(GetCaption(aim, im), "");
}

TEST_F(ReadingWindows, IMTextIsTheConvertedTranscriptOfTheFirstPane) {
    const Hwnd im = aim.OpenIMWindow("pixelfox22");
    EXPECT_EQ(GetIMText(aim, im), "");  // a new window's transcript is empty
    aim.SignOn("quietowl7");
    aim.DeliverBuddyLine(im, "are you there?");
    aim.TypeInput(im, "not the transcript");  // the input pane is a pane of the same class
    EXPECT_EQ(GetIMText(aim, im), "pixelfox22: are you there?\n");
}

TEST_F(ReadingWindows, NamesComeFromTheCaptionsWithAimsWordsCutInAnyCase) {
    EXPECT_EQ(GetMyScreenName(aim), "[not online]");
    aim.SignOn("quietowl7");
    EXPECT_EQ(GetMyScreenName(aim), "quietowl7");
    aim.SignOff();
    EXPECT_EQ(GetMyScreenName(aim), "[not online]");

    const Hwnd im = aim.OpenIMWindow("pixelfox22");
    EXPECT_EQ(GetIMBuddyName(aim, im), "pixelfox22");
    aim.SetRespondedCaption(im, true);
    EXPECT_EQ(aim.TextOf(im), "Responded to pixelfox22 - Instant Message");
    EXPECT_EQ(GetIMBuddyName(aim, im), "pixelfox22");

    aim.SetCaption(im, "pixelfox22 - instant message");  // AIM's words, in any case
    EXPECT_EQ(GetIMBuddyName(aim, im), "pixelfox22");
}

TEST_F(ReadingWindows, BytesAbove0x7FAndCaptionsLongerThan16BitsAreReadWhole) {
    const std::string buddy = "\xE9l\xE8ve\x80\xFF";
    const Hwnd im = aim.OpenIMWindow(buddy);
    EXPECT_EQ(GetIMBuddyName(aim, im), buddy);
    aim.TypeInput(im, "caf\xE9 \xA0\xFF");
    EXPECT_EQ(GetText(aim, aim.InputPane(im)), "caf\xE9 \xA0\xFF");
    const std::string caption(70000, 'x');
    aim.SetCaption(im, caption);
    EXPECT_EQ(GetCaption(aim, im), caption);
}

TEST_F(ReadingWindows, LastMessageIsTheTailFromTheBuddysLastLineOrNulWhenTheUserIsNamed) {
    // The fuzz replay last_message checks every tail against the one from the last occurrence.
    aim.SignOn("quietowl7");
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: is quietowl7 there? ", "pixelfox22"), NulMarker);
    // The user's name matches case-sensitively, as the buddy's does.
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: hi QuietOwl7", "pixelfox22"),
              "pixelfox22: hi QuietOwl7");
    aim.SignOff();  // then only the not-online text counts as the user
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: hi quietowl7", "pixelfox22"),
              "pixelfox22: hi quietowl7");
    EXPECT_EQ(GetLastMessage(aim, "pixelfox22: you were [not online]", "pixelfox22"), NulMarker);
}

// The screen name is asked once, after the tail, also when the buddy never spoke; an
// empty name asks nothing.
TEST_F(ReadingWindows, LastMessageAsksTheScreenNameOnceAndAnEmptyNameAsksNothing) {
    const auto CallsOf = [&](auto action) {
        aim.ClearCalls();
        action();
        return aim.Calls();
    };
    aim.SignOn("quietowl7");
    const Calls screenNameCalls = CallsOf([&] { GetMyScreenName(aim); });
    for (const std::string transcript : {"pixelfox22: hi pixelfox22: again", "marbleJay: hi"}) {
        EXPECT_EQ(CallsOf([&] { GetLastMessage(aim, transcript, "pixelfox22"); }), screenNameCalls)
            << transcript;
    }
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(GetLastMessage(aim, "pixelfox22: hi", ""), ""); }), Calls{});
}

// Announces the length it is told and fills the whole buffer, without a terminator.
class AnnouncingWindow : public aim::WindowSystem {
  public:
    explicit AnnouncingWindow(std::intptr_t length, bool copies = true)
        : length_(length), copies_(copies) {}
    Hwnd FindWindowA(const char*, const char*) override { return 0; }
    Hwnd FindWindowExA(Hwnd, Hwnd, const char*, const char*) override { return 0; }
    Hwnd GetWindow(Hwnd, unsigned) override { return 0; }
    std::int32_t GetWindowTextLengthA(Hwnd) override { return static_cast<std::int32_t>(length_); }
    std::int32_t GetWindowTextA(Hwnd, char* buffer, std::int32_t maxCount) override {
        sizes.push_back(maxCount);
        std::memset(buffer, 'x', static_cast<std::size_t>(maxCount));
        return maxCount;
    }
    std::intptr_t SendMessageA(Hwnd, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        if (message == aim::WM_GETTEXTLENGTH) {
            return length_;
        }
        sizes.push_back(static_cast<std::int32_t>(wParam));
        if (!copies_) {
            return 0;  // timed out: nothing copied, not even the terminator
        }
        std::memset(reinterpret_cast<char*>(lParam), 'x', wParam);
        return static_cast<std::intptr_t>(wParam);
    }
    bool PostMessageA(Hwnd, unsigned, std::uintptr_t, std::intptr_t) override { return false; }

    std::vector<std::int32_t> sizes;

  private:
    std::intptr_t length_;
    bool copies_;
};

TEST(AnnouncedLengths, NegativeReadsAsZeroAndTheResultIsNeverLongerThanAnnounced) {
    AnnouncingWindow negative(-5);
    EXPECT_EQ(GetText(negative, 1), "");
    EXPECT_EQ(GetCaption(negative, 1), "");
    EXPECT_THAT(negative.sizes, ElementsAre(1, 1));

    AnnouncingWindow four(4);
    EXPECT_EQ(GetText(four, 1), "xxxx");
    EXPECT_EQ(GetCaption(four, 1), "xxxx");
    EXPECT_THAT(four.sizes, ElementsAre(5, 5));

    // The length is a 32-bit result: bits above it are not part of it.
    AnnouncingWindow wide(static_cast<std::intptr_t>((std::int64_t{1} << 32) + 3));
    EXPECT_EQ(GetText(wide, 1), "xxx");

    // Gave its length, then stopped answering: as empty as a missing window, not spaces.
    AnnouncingWindow hungAfterLength(5, false);
    EXPECT_EQ(GetText(hungAfterLength, 1), "");
}

class Replying : public ReadingWindows {
  protected:
    void SetUp() override {
        aim.SignOn("quietowl7");
        im = aim.OpenIMWindow("pixelfox22");
        aim.DeliverBuddyLine(im, "are you there?");
    }
    Hwnd im = 0;
};

TEST_F(Replying, SendIMSetsTheInputPaneAndPressesSendOnceEvenForAnEmptyReply) {
    aim.TypeInput(im, "half-typed by the user");
    SendIM(aim, im, "yes");
    EXPECT_THAT(aim.MessagesOf(aim.SendButton(im)),
                ElementsAre(ReceivedMessage{aim::WM_LBUTTONDOWN, 0, 0, false},
                            ReceivedMessage{aim::WM_LBUTTONUP, 0, 0, false}));
    EXPECT_EQ(aim.InputText(im), "");
    EXPECT_EQ(GetIMText(aim, im), "pixelfox22: are you there?\nquietowl7: yes\n");
    EXPECT_TRUE(aim.IsAlive(im));

    aim.TypeInput(im, "draft");
    const std::string before = aim.TranscriptHtml(im);
    SendIM(aim, im, "");
    EXPECT_EQ(aim.InputText(im), "");
    EXPECT_EQ(aim.TranscriptHtml(im), before);  // AIM sends no empty message

    SendIM(aim, 0, "yes");  // a missing window: nothing happens, in no other window either
    EXPECT_EQ(aim.TranscriptHtml(im), before);
    EXPECT_EQ(GetMyScreenName(aim), "quietowl7");
}

TEST_F(Replying, ReplyGoesIntoThePaneUnchanged) {
    // With the button hung the pane keeps what SendIM put there.
    aim.SetStalled(aim.SendButton(im), true);
    const std::string reply = "line1\nline2\r\ncaf\xE9 \xFF";
    SendIM(aim, im, reply);
    EXPECT_EQ(aim.InputText(im), reply);

    aim.SetStalled(aim.SendButton(im), false);
    SendIM(aim, im, reply);
    EXPECT_THAT(aim.TranscriptHtml(im), HasSubstr("> line1<BR>line2<BR>caf\xE9 \xFF</FONT>"));
}

TEST_F(Replying, CloseWindowPostsOneCloseThatActsOnTheNextMessageLoopOnceTheWindowAnswers) {
    const Hwnd behind = aim.OpenIMWindow("marbleJay");
    aim.BringToFront(im);
    CloseWindow(aim, im);
    EXPECT_TRUE(aim.IsAlive(im));
    EXPECT_EQ(aim.FindWindowA("AIM_IMessage", nullptr), im);

    EXPECT_EQ(aim.ProcessMessages(), 1U);
    EXPECT_FALSE(aim.IsAlive(im));
    EXPECT_FALSE(aim.IsAlive(aim.TranscriptPane(im)));
    EXPECT_THAT(aim.MessagesOf(im), ElementsAre(ReceivedMessage{aim::WM_CLOSE, 0, 0, true}));
    EXPECT_EQ(aim.FindWindowA("AIM_IMessage", nullptr), behind);

    // A hung window's close waits until it recovers.
    aim.SetStalled(behind, true);
    CloseWindow(aim, behind);
    EXPECT_EQ(aim.ProcessMessages(), 0U);
    EXPECT_TRUE(aim.IsAlive(behind));
    aim.SetStalled(behind, false);
    EXPECT_EQ(aim.ProcessMessages(), 1U);
    EXPECT_FALSE(aim.IsAlive(behind));
    EXPECT_EQ(aim.PendingMessages(), 0U);
}

}  // namespace
}  // namespace brevanto::modAIM

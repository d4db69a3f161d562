#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"

namespace brevanto::modAIM {
namespace {

using aim::simulated::SimulatedAim;
using testing::ElementsAre;

std::string H(Hwnd window) {
    return std::to_string(window);
}

class ReadingWindows : public testing::Test {
  protected:
    SimulatedAim aim;
};

// Both ask the length first and then copy into a buffer one longer, for the terminator.
TEST_F(ReadingWindows, CaptionAndTextAskLengthThenCopyIntoLengthPlusOne) {
    const Hwnd im = aim.OpenIMWindow("pixelfox22");
    aim.DeliverBuddyLine(im, "are you there?");
    const Hwnd pane = aim.TranscriptPane(im);
    const std::string html = aim.TranscriptHtml(im);
    aim.ClearCalls();
    EXPECT_EQ(GetCaption(aim, im), "pixelfox22 - Instant Message");
    EXPECT_EQ(GetText(aim, pane), html);
    EXPECT_THAT(aim.Calls(), ElementsAre("GetWindowTextLengthA(" + H(im) + ")",
                                         "GetWindowTextA(" + H(im) + ", buffer, 29)",
                                         "SendMessageA(" + H(pane) + ", WM_GETTEXTLENGTH, 0, 0)",
                                         "SendMessageA(" + H(pane) + ", WM_GETTEXT, " +
                                             std::to_string(html.size() + 1) + ", buffer)"));
}

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
    aim.ClearCalls();
    EXPECT_EQ(GetText(aim, 0), "");
    EXPECT_EQ(GetCaption(aim, 0), "");
    EXPECT_THAT(aim.Calls(),
                ElementsAre("SendMessageA(0, WM_GETTEXTLENGTH, 0, 0)",
                            "SendMessageA(0, WM_GETTEXT, 1, buffer)", "GetWindowTextLengthA(0)",
                            "GetWindowTextA(0, buffer, 1)"));
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
    aim.ClearCalls();
    EXPECT_EQ(GetIMText(aim, im), "");  // a new window's transcript is empty
    const Hwnd pane = aim.TranscriptPane(im);
    EXPECT_THAT(aim.Calls(), ElementsAre("FindWindowExA(" + H(im) + ", 0, \"WndAte32Class\", null)",
                                         "SendMessageA(" + H(pane) + ", WM_GETTEXTLENGTH, 0, 0)",
                                         "SendMessageA(" + H(pane) + ", WM_GETTEXT, 1, buffer)"));

    aim.SignOn("quietowl7");
    aim.DeliverBuddyLine(im, "are you there?");
    aim.TypeInput(im, "not the transcript");  // the input pane is a pane of the same class
    EXPECT_EQ(GetIMText(aim, im), "pixelfox22: are you there?\n");
}

TEST_F(ReadingWindows, BuddyNameCutsTheCaptionWordsInAnyCase) {
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

TEST_F(ReadingWindows, MyScreenNameComesFromTheBuddyListCaption) {
    aim.ClearCalls();
    EXPECT_EQ(GetMyScreenName(aim), "[not online]");
    EXPECT_THAT(aim.Calls(), ElementsAre("FindWindowA(\"_Oscar_BuddyListWin\", null)"));

    aim.SignOn("quietowl7");
    const Hwnd list = aim.BuddyListWindow();
    aim.ClearCalls();
    EXPECT_EQ(GetMyScreenName(aim), "quietowl7");
    EXPECT_THAT(aim.Calls(), ElementsAre("FindWindowA(\"_Oscar_BuddyListWin\", null)",
                                         "GetWindowTextLengthA(" + H(list) + ")",
                                         "GetWindowTextA(" + H(list) + ", buffer, 30)"));

    aim.SignOff();
    EXPECT_EQ(GetMyScreenName(aim), "[not online]");
}

TEST_F(ReadingWindows, LastMessageIsTheTailFromTheBuddysLastLineOrNulWhenTheUserIsNamed) {
    aim.SignOn("quietowl7");
    const struct {
        std::string transcript, name, expected;
    } cases[] = {
        {"pixelfox22: is quietowl7 there? ", "pixelfox22", NulMarker},
        // Names match case-sensitively, the user's name as well. The fuzz replay
        // last_message checks every result against the tail from the last occurrence.
        {"pixelfox22: hi PIXELFOX22: there", "pixelfox22", "pixelfox22: hi PIXELFOX22: there"},
        {"pixelfox22: hi QuietOwl7", "pixelfox22", "pixelfox22: hi QuietOwl7"},
        // Names that repeat their own start: a failed partial match hides the real one.
        {"abaabab: hi", "abab", "abab: hi"},
        {"aaab: hey", "aab", "aab: hey"},
        // Deleting "jo" from "jjoo" would join a "jo" that never stood there.
        {"jo: hi jjoo: hey", "jo", "joo: hey"},
        {"marbleJay: hi", "pixelfox22", ""},
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
TEST_F(ReadingWindows, LastMessageAsksTheScreenNameOnceAndAnEmptyNameAsksNothing) {
    aim.SignOn("quietowl7");
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

}  // namespace
}  // namespace brevanto::modAIM

#include <string>

#include "aim/modAIM.h"
#include "suite/Tests.h"

namespace brevanto::wine {
namespace {

using aim::Win32WindowSystem;
namespace modAIM = brevanto::modAIM;

constexpr char kImClass[] = "AIM_IMessage";

aim::Hwnd TranscriptPane(Win32WindowSystem& windows, aim::Hwnd im) {
    return windows.FindWindowExA(im, 0, "WndAte32Class", nullptr);
}

}  // namespace

// What modAIM makes of captions and panes is checked on simulated windows (tests/aim/);
// here the same calls read another process's real windows.
void CaptionsPanesAndZOrder(Checks& checks) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "pixelfox22")
        .Add("buddy", "are you there?")
        .Add("me", "yes")
        .Add("im", "emptybuddy");
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    checks.Equal(modAIM::GetMyScreenName(windows), "quietowl7",
                 "GetMyScreenName reads the buddy list caption");
    checks.Equal(modAIM::GetCaption(windows, client->Im(0)), "pixelfox22 - Instant Message",
                 "GetCaption reads another process's caption whole");
    checks.Equal(modAIM::GetIMBuddyName(windows, client->Im(0)), "pixelfox22",
                 "GetIMBuddyName reads the buddy from it");
    checks.Equal(modAIM::GetCaption(windows, 0) + modAIM::GetIMBuddyName(windows, 0), "",
                 "no window has an empty caption and buddy name");
    const aim::Hwnd pane = TranscriptPane(windows, client->Im(0));
    checks.That(pane != 0, "FindWindowExA finds the transcript pane of another process");
    const auto report = client->CurrentReport();
    if (checks.That(report.has_value(), "the fake client reports")) {
        checks.Equal(modAIM::GetText(windows, pane), report->Of("transcript", 0),
                     "GetText reads the pane's HTML across the process boundary");
    }
    checks.Equal(modAIM::GetIMText(windows, client->Im(0)),
                 "pixelfox22: are you there?\nquietowl7: yes\n",
                 "GetIMText gives the conversation as lines");
    checks.Equal(modAIM::GetIMText(windows, client->Im(1)), "",
                 "GetIMText of a window with an empty pane is empty");
    checks.Equal(windows.FindWindowA(kImClass, nullptr), client->Im(1),
                 "FindWindowA gives the IM window opened last, in front");
    checks.That(client->Raise(0), "the fake client raises another window");
    checks.Equal(windows.FindWindowA(kImClass, nullptr), client->Im(0),
                 "FindWindowA follows the raised window");
}

void AnsiBytes(Checks& checks) {
    std::string highBytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        highBytes += static_cast<char>(byte);
    }
    const std::string buddy = "caf\xE9\x80\xFF";
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7").Add("im", buddy).Add("buddy", highBytes);
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    checks.Equal(modAIM::GetIMBuddyName(windows, client->Im(0)), buddy,
                 "a caption with bytes 0x80-0xFF crosses unchanged");
    checks.Equal(modAIM::GetIMText(windows, client->Im(0)), buddy + ": " + highBytes + "\n",
                 "pane text with every byte 0x80-0xFF crosses unchanged");
    modAIM::SendIM(windows, client->Im(0), highBytes);
    const auto report = client->Quit();
    if (checks.That(report.has_value(), "the fake client reports at the end")) {
        const auto set = report->Events(0, "settext");
        checks.That(!set.empty() && set.front().text == highBytes,
                    "a reply with every byte 0x80-0xFF reaches the input pane unchanged");
    }
}

void ShortCopySignedOff(Checks& checks) {
    ScenarioText scenario;
    scenario.Add("im", "pixelfox22").Add("buddy", "are you there?").Add("shortcopy", "6");
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    checks.Equal(modAIM::GetMyScreenName(windows), "[not online]",
                 "GetMyScreenName without a buddy list window");
    const aim::Hwnd pane = TranscriptPane(windows, client->Im(0));
    const auto announced = windows.SendMessageA(pane, aim::WM_GETTEXTLENGTH, 0, 0);
    checks.That(announced > 7, "the pane announces its whole text");
    const std::string text = modAIM::GetText(windows, pane);
    checks.Equal(static_cast<std::int64_t>(text.size()), announced,
                 "GetText keeps the announced length");
    if (text.size() < 7) {
        return;
    }
    checks.Equal(text.substr(0, 7), std::string("<HTML>") + '\0',
                 "GetText holds the copied characters and the window's terminator");
    checks.Equal(text.substr(7), std::string(text.size() - 7, ' '),
                 "the rest of GetText's result is spaces");
}

}  // namespace brevanto::wine

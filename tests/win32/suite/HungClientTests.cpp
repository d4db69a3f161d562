#include <chrono>
#include <string>

#include "aim/modAIM.h"
#include "suite/Tests.h"

namespace brevanto::wine {
namespace {

using aim::Win32WindowSystem;
namespace modAIM = brevanto::modAIM;

// Room for a slow machine on top of the time-out; a hang would take far longer.
constexpr long long kMarginMs = 2000;

// Started at construction; the milliseconds since.
struct Stopwatch {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    long long ElapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    }
};

}  // namespace

void StalledWindow(Checks& checks) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "quickbuddy")
        .Add("buddy", "hi")
        .Add("im", "slowbuddy")
        .Add("buddy", "anyone?")
        .Add("stall");
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    const aim::Hwnd slow = client->Im(1);
    checks.Equal(windows.FindWindowA("AIM_IMessage", nullptr), slow,
                 "the stalled window is still found");
    {
        Stopwatch watch;
        checks.Equal(modAIM::GetIMBuddyName(windows, slow), "slowbuddy",
                     "its caption is read without a message to the hung thread");
        checks.That(watch.ElapsedMs() < kSuiteSendTimeoutMs, "the caption read does not wait");
    }
    {
        const aim::Hwnd pane = windows.FindWindowExA(slow, 0, "WndAte32Class", nullptr);
        Stopwatch watch;
        checks.Equal(windows.SendMessageA(pane, aim::WM_GETTEXTLENGTH, 0, 0), 0,
                     "a message the window does not answer gives 0");
        checks.That(watch.ElapsedMs() < kSuiteSendTimeoutMs + kMarginMs,
                    "the message returns within the time-out");
        Stopwatch again;
        checks.Equal(windows.SendMessageA(pane, aim::WM_GETTEXT, 1, 0), 0,
                     "a message right after a time-out gives 0 too");
        checks.That(again.ElapsedMs() < kSuiteSendTimeoutMs / 2,
                    "a window that just timed out is not waited for a second time");
    }
    {
        Stopwatch watch;
        checks.Equal(modAIM::GetIMText(windows, slow), "", "the stalled transcript reads as empty");
        modAIM::SendIM(windows, slow, "hello?");
        // Four sent messages at most, each bounded by the time-out.
        checks.That(watch.ElapsedMs() < 6 * kSuiteSendTimeoutMs + kMarginMs,
                    "reading and replying return within their time-outs");
    }
    checks.Equal(modAIM::GetIMText(windows, client->Im(0)), "quickbuddy: hi\n",
                 "the client's other windows keep answering");
    const auto report = client->Quit();
    if (checks.That(report.has_value(), "the fake client reports at the end")) {
        checks.That(report->Events(1).empty(), "nothing reached the stalled window");
    }
}

}  // namespace brevanto::wine

#include <string>
#include <vector>

#include "aim/modAIM.h"
#include "suite/Tests.h"

namespace brevanto::wine {
namespace {

using aim::Win32WindowSystem;
namespace modAIM = brevanto::modAIM;

std::string Kinds(const std::vector<ReportLine>& events) {
    std::string kinds;
    for (const ReportLine& event : events) {
        kinds += (kinds.empty() ? "" : " ") + event.kind;
    }
    return kinds;
}

}  // namespace

// A reply replaces a draft, and so does an empty one, which then sends nothing.
void SendReplies(Checks& checks) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "pixelfox22")
        .Add("buddy", "are you there?")
        .Add("type", "half-typed draft")
        .Add("im", "sunnyday")
        .Add("buddy", "hello")
        .Add("type", "draft");
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    modAIM::SendIM(windows, client->Im(0), "yes\nreally");
    checks.Equal(modAIM::GetIMText(windows, client->Im(0)),
                 "pixelfox22: are you there?\nquietowl7: yes\nreally\n",
                 "the transcript gains the user's line once SendIM returns");
    modAIM::SendIM(windows, client->Im(1), "");
    checks.Equal(modAIM::GetIMText(windows, client->Im(1)), "sunnyday: hello\n",
                 "an empty reply adds nothing to the transcript");
    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return;
    }
    const auto events = report->Events(0);
    checks.Equal(Kinds(events), "settext press sent",
                 "SendIM sets the input pane, then one press sends it");
    if (events.size() == 3) {
        checks.Equal(events[0].text, "yes\nreally",
                     "the reply replaces the draft, line feed included");
        checks.Equal(events[2].text, "yes\nreally", "the reply is what went out");
    }
    checks.Equal(report->Of("open", 0), "1", "SendIM leaves the window open");
    checks.Equal(Kinds(report->Events(1)), "settext press",
                 "an empty reply empties the input pane and the button is still pressed");
    checks.Equal(report->Of("input", 0) + report->Of("input", 1), "", "both input panes are empty");
}

void CloseRequest(Checks& checks) {
    ScenarioText scenario;
    scenario.Add("im", "stayingbuddy").Add("im", "leavingbuddy");
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Win32WindowSystem windows(kSuiteSendTimeoutMs);
    const aim::Hwnd leaving = client->Im(1);
    modAIM::CloseWindow(windows, leaving);
    checks.That(
        WaitUntil([&] { return windows.FindWindowA("AIM_IMessage", nullptr) == client->Im(0); },
                  10'000),
        "the closed window goes and the other one is found");
    checks.Equal(modAIM::GetIMBuddyName(windows, leaving), "",
                 "the closed window's handle reads as no window");
    checks.Equal(modAIM::GetIMText(windows, leaving), "", "and its transcript as empty");
    modAIM::SendIM(windows, leaving, "too late");  // must simply do nothing
    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return;
    }
    checks.Equal(Kinds(report->Events(1)), "close", "exactly one close request arrived");
    checks.Equal(report->Of("open", 0) + report->Of("open", 1), "10",
                 "only the requested window closed");
}

}  // namespace brevanto::wine

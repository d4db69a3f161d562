// The auto-respond cycle end to end, without a display: the responder core with headless
// controls and the real Win32 layer, against the fake AIM client in its own process.
// cycledriver.exe ends with "N passed, M failed"; the exit code is 1 on any failure.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "aim/win32/Win32WindowSystem.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "suite/Checks.h"
#include "suite/FakeAimProcess.h"

namespace {

using namespace brevanto;
using wine::Checks;
using wine::ScenarioText;

// More ticks than windows: a tick that leaves its window open shows as a failure, not a loop.
constexpr int kMaxTicks = 8;

// The responder core with headless controls on a data file of its own, started like the
// program and switched to auto-respond; the folder is removed again at the end.
struct Responder {
    Responder(const std::string& name, unsigned sendTimeoutMs)
        : folder(std::filesystem::temp_directory_path() / name), windows(sendTimeoutMs) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "data.dat", std::ios::binary)
            << "are you there=yes, here\r\nhello=hi there\r\n";
        controls.leadingMessage = "[away]";
        main.Form_Load(core::WindowGeometry{9000, 6000, 3000, 3500, 2000, 4000});
        controls.msgBoxAnswers.push_back(core::kYes);
        main.ToggleAutoRespond();
    }
    ~Responder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    aim::Win32WindowSystem windows;
    core::HeadlessControls controls;
    core::MainWindow main{windows, controls, folder / "data.dat"};
};

std::vector<std::string> TextsOf(const wine::Report& report, int index, const std::string& kind) {
    std::vector<std::string> texts;
    for (const auto& event : report.EventsOf(index)) {
        if (event.kind == kind) {
            texts.push_back(event.text);
        }
    }
    return texts;
}

void AnswersThreeBuddies(Checks& checks) {
    checks.Section("AnswersThreeBuddies");
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "pixelfox22")
        .Add("buddy", "Are you there?")
        .Add("im", "sunnyday")
        .Add("buddy", "what's new")
        .Add("im", "mossyrock")
        .Add("buddy", "hello!")
        .Add("me", "hi, brb");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Responder responder("brevanto-cycle-driver", 500);
    aim::Win32WindowSystem& windows = responder.windows;
    core::HeadlessControls& controls = responder.controls;
    core::MainWindow& main = responder.main;
    checks.Equal(main.Table().Rows(), 2, "the table is loaded from the data file");
    checks.That(main.Mode().checkMessageTimerEnabled, "auto-respond mode is on after Yes");

    int ticks = 0;
    while (ticks < kMaxTicks && windows.FindWindowA("AIM_IMessage", nullptr) != 0) {
        main.tmrCheckMessage_Timer();
        ++ticks;
        // The close is posted; the next tick must not see the window again.
        if (!client->Sync()) {
            checks.Fail("the fake client handles the posted close");
            return;
        }
    }
    checks.Equal(ticks, 3, "one tick per IM window");
    main.tmrCheckMessage_Timer();  // no window left: nothing happens

    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return;
    }
    // Front-most first: the window opened last is answered first.
    const auto sentTo = [&](int index) {
        const auto sent = TextsOf(*report, index, "sent");
        return sent.size() == 1 ? sent[0] : "(" + std::to_string(sent.size()) + " lines sent)";
    };
    checks.Equal(sentTo(0), "[away] yes, here", "a message in the table gets its response");
    checks.Equal(sentTo(1), "[away] :-)", "a message without an entry gets the default message");
    checks.That(TextsOf(*report, 2, "settext").empty(),
                "a conversation the user answered last gets no reply");
    for (int index = 0; index < 3; ++index) {
        checks.Equal(static_cast<std::int64_t>(TextsOf(*report, index, "close").size()), 1,
                     "IM window " + std::to_string(index) + " was asked to close once");
        checks.That(!report->Im(index)->open, "IM window " + std::to_string(index) + " is closed");
    }
    const std::vector<std::string> expectedBuddies{"mossyrock", "sunnyday", "pixelfox22"};
    checks.That(controls.buddyList == expectedBuddies,
                "the buddies are listed in the order their windows were handled");
    const auto& log = main.Conversations();
    checks.That(log.size() == 3 && log[2].Transcript ==
                                       "pixelfox22: Are you there?\nquietowl7: [away] yes, here\n",
                "the log holds the conversation with the reply, read back from the window");
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The reply limit and the kept conversations on the Windows file system: a buddy's second
// window within the limit is closed unanswered, each conversation is appended to its
// buddy's file under a name Windows accepts, and the options are read back at start.
void LimitAndKeptConversations(Checks& checks) {
    checks.Section("LimitAndKeptConversations");
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "pixelfox22")
        .Add("buddy", "hello")
        .Add("im", "pixelfox22")
        .Add("buddy", "hello")
        .Add("im", "con")
        .Add("buddy", "hello");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return;
    }
    Responder responder("brevanto-cycle-driver-kept", 500);
    core::MainWindow& main = responder.main;
    responder.controls.inputBoxAnswers.push_back("10");
    main.AskReplyLimit();
    main.ToggleKeepConversations();
    for (int tick = 0; tick < 3; ++tick) {
        main.tmrCheckMessage_Timer();
        if (!client->Sync()) {
            checks.Fail("the fake client handles the posted close");
            return;
        }
    }
    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return;
    }
    checks.Equal(static_cast<std::int64_t>(TextsOf(*report, 1, "sent").size()), 1,
                 "the buddy's first window handled is answered");
    checks.That(TextsOf(*report, 0, "settext").empty() && !report->Im(0)->open,
                "the buddy's second window within the limit is closed without a reply");
    const std::filesystem::path logs = responder.folder / "logs";
    const std::string kept = ReadFile(logs / "pixelfox22.txt");
    checks.That(kept.find("quietowl7: [away] hi there\r\n\r\n") != std::string::npos &&
                    kept.find("(Brevanto did not answer: pixelfox22 was answered less than 10 "
                              "minutes ago.)\r\n\r\n") != std::string::npos,
                "both conversations are kept in the buddy's file, the second saying why");
    checks.That(std::filesystem::exists(logs / "%63on.txt"),
                "a buddy named like a device has a file of its own");

    core::HeadlessControls controls;
    core::MainWindow again{responder.windows, controls, responder.folder / "data.dat"};
    again.Form_Load(core::WindowGeometry{9000, 6000, 3000, 3500, 2000, 4000});
    checks.That(again.CurrentSettings() == main.CurrentSettings(),
                "the options are read back from brevanto.ini at start");
}

void HungWindowDoesNotHoldTheTick(Checks& checks) {
    checks.Section("HungWindowDoesNotHoldTheTick");
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7").Add("im", "slowbuddy").Add("buddy", "hi").Add("stall");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return;
    }
    // Long enough that one time-out and two stand clearly apart on a busy machine.
    constexpr unsigned kHungTimeoutMs = 3000;
    Responder responder("brevanto-cycle-driver-hung", kHungTimeoutMs);
    core::MainWindow& main = responder.main;

    const auto start = std::chrono::steady_clock::now();
    main.tmrCheckMessage_Timer();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    // The pane is asked for its length and then its text; only the first may wait.
    checks.That(elapsed.count() < kHungTimeoutMs + kHungTimeoutMs / 2,
                "a tick on a hung IM window costs one time-out, not two");
    const auto report = client->Quit();
    if (checks.That(report.has_value(), "the fake client reports at the end")) {
        checks.That(report->EventsOf(0).empty(), "nothing was sent to the hung window");
    }
}

}  // namespace

int main() {
    Checks checks;
    AnswersThreeBuddies(checks);
    LimitAndKeptConversations(checks);
    HungWindowDoesNotHoldTheTick(checks);
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}

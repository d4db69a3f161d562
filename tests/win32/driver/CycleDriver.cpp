// The auto-respond cycle end to end, without a display: the responder core with headless
// controls and the real Win32 layer, against the fake AIM client in its own process.
// cycledriver.exe ends with "N passed, M failed"; the exit code is 1 on any failure.
#include <chrono>
#include <filesystem>
#include <fstream>
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
using wine::FakeAimProcess;
using wine::ScenarioText;

// More ticks than windows: a tick that leaves its window open would show as a failure
// instead of a loop.
constexpr int kMaxTicks = 8;
constexpr unsigned kSendTimeoutMs = 500;

// A data folder of its own under the temp folder, removed again at the end.
class DataFolder {
  public:
    explicit DataFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / name) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~DataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path File(const char* name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

void WriteDataFile(const std::filesystem::path& path) {
    std::ofstream file(path, std::ios::binary);
    file << "are you there=yes, here\r\nhello=hi there\r\n";
}

std::vector<wine::ReportEvent> EventsOfKind(const wine::Report& report, int index,
                                            const std::string& kind) {
    std::vector<wine::ReportEvent> events;
    for (const auto& event : report.EventsOf(index)) {
        if (event.kind == kind) {
            events.push_back(event);
        }
    }
    return events;
}

std::unique_ptr<FakeAimProcess> Start(Checks& checks, const ScenarioText& scenario) {
    std::string error;
    auto client = FakeAimProcess::Start(scenario, error);
    if (!client) {
        checks.Fail("fake AIM client starts: " + error);
    }
    return client;
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
    auto client = Start(checks, scenario);
    if (!client) {
        return;
    }
    DataFolder folder("brevanto-cycle-driver");
    WriteDataFile(folder.File("data.dat"));

    aim::Win32WindowSystem windows(kSendTimeoutMs);
    core::HeadlessControls controls;
    controls.leadingMessage = "[away]";
    core::MainWindow main(windows, controls, folder.File("data.dat"));
    main.Form_Load(core::WindowGeometry{9000, 6000, 3000, 3500, 2000, 4000});
    checks.Equal(main.Table().Rows(), 2, "the table is loaded from the data file");

    controls.msgBoxAnswers.push_back(core::kYes);
    main.ToggleAutoRespond();
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
        const auto sent = EventsOfKind(*report, index, "sent");
        return sent.size() == 1 ? sent.front().text
                                : std::string("(" + std::to_string(sent.size()) + " lines sent)");
    };
    checks.Equal(sentTo(0), "[away] yes, here", "a message in the table gets its response");
    checks.Equal(sentTo(1), "[away] :-)", "a message without an entry gets the default message");
    checks.That(EventsOfKind(*report, 2, "settext").empty(),
                "a conversation the user answered last gets no reply");
    for (int index = 0; index < 3; ++index) {
        checks.Equal(static_cast<std::int64_t>(EventsOfKind(*report, index, "close").size()), 1,
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

void HungWindowDoesNotHoldTheTick(Checks& checks) {
    checks.Section("HungWindowDoesNotHoldTheTick");
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7").Add("im", "slowbuddy").Add("buddy", "hi").Add("stall");
    auto client = Start(checks, scenario);
    if (!client) {
        return;
    }
    DataFolder folder("brevanto-cycle-driver-hung");
    WriteDataFile(folder.File("data.dat"));
    // Long enough that one time-out and two stand clearly apart on a busy machine.
    constexpr unsigned kHungTimeoutMs = 3000;
    aim::Win32WindowSystem windows(kHungTimeoutMs);
    core::HeadlessControls controls;
    core::MainWindow main(windows, controls, folder.File("data.dat"));
    main.Form_Load(core::WindowGeometry{9000, 6000, 3000, 3500, 2000, 4000});
    controls.msgBoxAnswers.push_back(core::kYes);
    main.ToggleAutoRespond();

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
    HungWindowDoesNotHoldTheTick(checks);
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}

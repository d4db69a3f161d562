#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aim/WindowSystem.h"
#include "common/Report.h"
#include "suite/Checks.h"

// <windows.h> stays out of this header: its macros (WM_GETTEXT, ReplaceText) collide with
// the names of the window-system interface and modAIM that the tests use.
//
// One run of the fake AIM client as a separate process: started with a scenario, waited
// for through its ready event, commanded through its control window, and ended through
// its quit event, with its report read back.
namespace brevanto::wine {

// Builds scenario text; arguments are escaped, so any bytes can be shown.
class ScenarioText {
  public:
    ScenarioText& Add(std::string_view command, std::string_view argument = {});
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

class FakeAimProcess {
  public:
    // Starts fakeaim.exe from the folder of the running program. Null with a reason.
    static std::unique_ptr<FakeAimProcess> Start(const ScenarioText& scenario, std::string& error);
    ~FakeAimProcess();
    FakeAimProcess(const FakeAimProcess&) = delete;
    FakeAimProcess& operator=(const FakeAimProcess&) = delete;

    // The IM windows' handles, in scenario order, as the client reported them at start.
    aim::Hwnd Im(int index) const;
    // Brings the IM window to the front of the z-order.
    bool Raise(int index);
    // Returns once the client has handled every message posted to it before the call.
    bool Sync();
    // What the client has seen so far, and how its windows are now.
    std::optional<Report> CurrentReport();
    // Ends the client and returns its last report.
    std::optional<Report> Quit();

  private:
    struct Handles;

    FakeAimProcess();
    std::optional<Report> ReadReportFile() const;
    bool SendCommand(unsigned message, std::uintptr_t wParam);

    std::string tag_;
    std::string folder_;
    std::string scenarioPath_;
    std::string reportPath_;
    std::unique_ptr<Handles> handles_;
    std::vector<aim::Hwnd> ims_;
};

// Starts a client for a test; null after recording a failed check when it cannot start.
std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const ScenarioText& scenario);

}  // namespace brevanto::wine

#pragma once

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
// One run of the fake AIM client as a separate process: started with a scenario, commanded
// through its control window, and ended with its report read back.
namespace brevanto::wine {

// The scenario as the client's command line: `Add("im", "pixelfox22")`; any bytes.
class ScenarioText {
  public:
    ScenarioText& Add(std::string_view command, std::string_view argument = {});
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

class FakeAimProcess {
  public:
    ~FakeAimProcess();

    // The IM windows' handles, in scenario order, as the client reported them at start.
    aim::Hwnd Im(int index) const;
    // Brings the IM window to the front of the z-order.
    bool Raise(int index) const;
    // What the client has seen so far, and how its windows are now.
    std::optional<Report> CurrentReport() const;
    // Ends the client and returns its last report.
    std::optional<Report> Quit();

  private:
    friend std::unique_ptr<FakeAimProcess> StartClient(Checks&, const ScenarioText&);
    std::optional<Report> ReadReport() const;

    std::string reportPath_;
    void* process_ = nullptr;  // HANDLE
    void* control_ = nullptr;  // HWND
    std::vector<aim::Hwnd> ims_;
};

// Starts fakeaim.exe from the folder of the running program and waits until its windows
// exist; null after recording a failed check when it cannot start.
std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const ScenarioText& scenario);

}  // namespace brevanto::wine

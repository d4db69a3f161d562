#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/Report.h"
#include "fakeaim/Scenario.h"

// A stand-in for the AIM client with the windows, captions, texts and effects Brevanto
// relies on (docs/aim-client.md), as a real Win32 program: another process with real
// windows, so the Win32 layer is exercised across the process boundary.
namespace brevanto::wine {

class FakeAim;
struct ImWindow;

// A rich-text pane: the transcript or the input pane. It keeps its text itself, byte for
// byte, and answers the text messages from it.
struct Pane {
    ImWindow* owner = nullptr;
    bool isInput = false;
    std::string text;
    std::optional<std::size_t> copyLimit;  // copies fewer than it announces
};

struct ImWindow {
    FakeAim* client = nullptr;
    int index = 0;
    std::string caption;
    Pane transcript;
    Pane input;
    bool stalled = false;
    bool armed = false;  // the Send button is held down
    bool open = false;
    HWND frame = nullptr;
};

class FakeAim {
  public:
    FakeAim(Scenario scenario, std::string reportPath);
    ~FakeAim();
    FakeAim(const FakeAim&) = delete;
    FakeAim& operator=(const FakeAim&) = delete;

    // Registers the classes and opens every window of the scenario; false with a reason.
    bool Open(const std::string& tag, std::string& error);
    // Pumps messages until quit is set, the lifetime runs out or WM_QUIT arrives.
    void Run(HANDLE quit, DWORD lifetimeMs);
    bool WriteReport() const;

    void Record(const char* kind, int index, const std::string& text);
    // The Send button was released after a press.
    void Send(ImWindow& im);
    bool Raise(int index);

  private:
    bool OpenIm(ImWindow& im);
    void CloseAll();

    Scenario scenario_;
    std::string reportPath_;
    std::vector<std::unique_ptr<ImWindow>> ims_;
    HWND buddyList_ = nullptr;
    HWND control_ = nullptr;
    HANDLE syncEvent_ = nullptr;
    // One thread per stalled window: it makes the window, then waits on this event, never on
    // a message queue, so the window exists but never answers; released, it destroys it.
    HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::vector<std::thread> stalledThreads_;
    mutable std::mutex eventsMutex_;
    std::vector<ReportEvent> events_;

    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace brevanto::wine

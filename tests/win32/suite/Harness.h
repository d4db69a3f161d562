#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "aim/WindowSystem.h"
#include "common/FakeAimProtocol.h"

// What every Wine program shares: checks, waits, starting processes and the fake AIM client.
// <windows.h> stays out of this header: its macros (WM_GETTEXT, ReplaceText) collide with
// the names of the window-system interface and modAIM that the tests use.
namespace brevanto::wine {

// Assertions (GoogleTest is not part of the cross build): every check prints one line, and
// the summary line "N passed, M failed" closes the output.
class Checks {
  public:
    bool That(bool ok, std::string_view what);
    // Texts are shown escaped, so NULs, line feeds and bytes 0x80-0xFF are visible.
    bool Equal(std::string_view actual, std::string_view expected, std::string_view what);
    bool Equal(std::int64_t actual, std::int64_t expected, std::string_view what) {
        return Equal(std::to_string(actual), std::to_string(expected), what);
    }
    // A failure of the harness itself (the fake client did not start, say).
    void Fail(std::string_view what) { That(false, what); }
    // Prints the summary; the program's exit code, 1 on any failure.
    int Finish() const;

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// Polls until done() holds or timeoutMs has passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs);

// The folder of the running program, ending in a separator: fakeaim.exe and brevanto.exe
// are found from there.
std::string ThisProgramsFolder();

// Starts `exe` (a path) with the arguments after its quoted name, in `folder` (empty: ours);
// the process (a HANDLE, which the caller closes), or null after a failed check.
void* StartProcess(Checks& checks, const std::string& exe, const std::string& arguments,
                   const std::string& folder = {});

// A test of a Wine program; one bound to a code page runs only when that is the active one.
struct Test {
    std::string_view name;
    std::function<void(Checks&)> run;
    unsigned codePage = 0;  // 0: any
};

// Runs, each in a section of its own, the tests whose name holds argv[1] (all without it)
// and prints the summary; the program's exit code, 1 on any failure or when none ran.
int RunTests(int argc, char** argv, const std::vector<Test>& tests);

// The client's scenario: commands and their arguments, `{{"im", "pixelfox22"}}`; any bytes.
using Scenario = std::vector<std::pair<std::string, std::string>>;

// One run of the fake AIM client as a separate process, started with a scenario and ended
// (killed) when it goes.
class FakeAimProcess {
  public:
    ~FakeAimProcess();

    // The IM windows of the scenario, in its order, found by their captions.
    aim::Hwnd Im(int index) const;
    // Brings the IM window to the front of the z-order; not a stalled one, since
    // SetWindowPos waits for the window's thread.
    bool Raise(int index) const;
    // The texts of the client's events of that kind for that IM window so far, in order
    // ("settext": the input pane was set, "sent": a line went out); none when its report
    // cannot be read.
    std::optional<std::vector<std::string>> Events(std::string_view kind, int index) const;

  private:
    friend std::unique_ptr<FakeAimProcess> StartClient(Checks&, const Scenario&);

    std::string reportPath_;
    void* process_ = nullptr;  // HANDLE
    std::vector<std::string> buddies_;
};

// Starts fakeaim.exe from the folder of the running program and waits until its windows
// exist; null after a failed check when it cannot start.
std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const Scenario& scenario);

}  // namespace brevanto::wine

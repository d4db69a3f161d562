#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "suite/Harness.h"

// After the harness: its macros would rename the window-system names declared there.
#include <windows.h>

// Reaching the windows of another process the way a person's mouse and keyboard would, and
// reading back what the person would see. Every wait is bounded.
namespace brevanto::wine {

inline constexpr DWORD kWaitMs = 10'000;

// Whether done() holds within kWaitMs.
inline bool Soon(const std::function<bool()>& done) {
    return WaitUntil(done, kWaitMs);
}

// SendMessageTimeoutA: the answer, or none when the window is gone or does not answer in time.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A control's text through WM_GETTEXT, which Windows copies between processes; "" when the
// window does not answer.
std::string TextOf(HWND window);
bool SetTextOf(HWND window, const std::string& text);
// The caption the window system keeps for any window: titles, static texts, button captions.
std::string CaptionOf(HWND window);

// A button pressed as a click does it: posted, so a modal box it opens cannot block us.
bool Press(HWND button);

// A box the last action opens, and how it is answered.
struct BoxAnswer {
    const char* title;
    const char* text;  // a message box's text or an input box's prompt; null: not checked
    int button;
    const char* typed = nullptr;  // an input box: the text typed before the button
    const char* shown = nullptr;  // an input box: the text it opens with; null: not checked
};

// brevanto.exe running in a fresh folder of its own, where it keeps its data.dat.
class Program {
  public:
    // Starts it beside `data` as data.dat (none when null) and waits for its main window;
    // null after a failed check.
    static std::unique_ptr<Program> Start(Checks& checks, const char* data);
    ~Program();

    HWND Control(int id) const { return GetDlgItem(main, id); }
    // A menu item chosen: posted, as the menu does.
    void Command(int id) const { PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // Returns once the program is back in its message loop: a sent message waits for the
    // handler that is running to finish, so whatever it does after an effect we saw is done.
    bool Settle() const { return SendBounded(main, WM_NULL, 0, 0).has_value(); }
    // A file of its folder; "(missing)" when there is none.
    std::string File(const std::filesystem::path& name) const;
    // The dialog box (class "#32770") the main window owns, or null.
    HWND OwnedBox() const;
    // The box the last action opened, its title and text checked, then answered as `answer`
    // says; its text, or none after a failed check when no box comes or it stays open, which
    // leaves the program in a state the next step cannot use.
    std::optional<std::string> Answer(Checks& checks, const BoxAnswer& answer) const;
    // A "stopped" failure naming the exit code when the program has ended.
    void Stopped(Checks& checks) const;

    // The grid, a list view. Its messages that answer through a pointer need that pointer
    // in the program's process, so their structures travel through a block of memory
    // allocated there.
    int Rows() const;
    std::string CellText(int row, int column) const;  // "(unreadable)" when it cannot be read
    // A left click in the middle of the cell: the cursor moves there first, so the posted
    // button messages carry the click's position both in lParam and as the message position.
    bool ClickCell(int row, int column) const;
    bool Click(POINT client) const;

    std::filesystem::path folder;
    HANDLE process = nullptr;
    HWND main = nullptr;

  private:
    // Sends the grid the message with data copied through the block; the answer, or none.
    std::optional<LRESULT> Exchange(UINT message, WPARAM wParam, void* data, SIZE_T size) const;

    HWND grid_ = nullptr;
    void* block_ = nullptr;
};

}  // namespace brevanto::wine

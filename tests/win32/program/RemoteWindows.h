#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "suite/Harness.h"
#include "ui/win32/ControlIds.h"

// After the harness: its macros would rename the window-system names declared there.
#include <windows.h>

#include <commctrl.h>

// Reaching the windows of another process the way a person's mouse and keyboard would, and
// reading back what the person would see. Every wait is bounded.
namespace brevanto::wine {

inline constexpr DWORD kWaitMs = 10'000;

// Whether done() holds within kWaitMs.
inline bool Soon(const std::function<bool()>& done) {
    return WaitUntil(done, kWaitMs);
}

// SendMessageTimeoutA: the answer, or none when the window is gone or does not answer in time.
inline std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kWaitMs / 2,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

// A control's text through WM_GETTEXT, which Windows copies between processes; "" when the
// window does not answer.
inline std::string TextOf(HWND window) {
    const LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0).value_or(0);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
    const LRESULT copied =
        SendBounded(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))
            .value_or(0);
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

inline bool SetTextOf(HWND window, const std::string& text) {
    return SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).value_or(0) ==
           TRUE;
}

// The caption the window system keeps for any window: titles, static texts, button captions.
inline std::string CaptionOf(HWND window) {
    char text[4096] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

// A button pressed as a click does it: posted, so a modal box it opens cannot block us.
inline bool Press(HWND button) {
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0);
}

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
    static std::unique_ptr<Program> Start(Checks& checks, const char* data) {
        auto program = std::make_unique<Program>();
        program->folder = std::filesystem::temp_directory_path() /
                          ("brevanto-program-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(program->folder);
        std::filesystem::create_directories(program->folder);
        if (data != nullptr) {
            std::ofstream(program->folder / "data.dat", std::ios::binary) << data;
        }
        program->process =
            StartProcess(checks, ThisProgramsFolder() + BREVANTO_EXE, "", program->folder.string());
        if (program->process == nullptr) {
            return nullptr;
        }
        // Its own main window, found by class, caption and process.
        const auto found = [&] {
            HWND window = nullptr;
            while (
                (window = FindWindowExA(nullptr, window, win32ui::kMainWindowClass, "Brevanto"))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == GetProcessId(program->process)) {
                    program->main = window;
                    return true;
                }
            }
            return false;
        };
        if (!checks.That(WaitUntil(found, 30'000) && program->Settle(),
                         "the main window appears with the caption \"Brevanto\" and answers")) {
            return nullptr;
        }
        program->grid_ = program->Control(win32ui::IDC_flexGrid);
        program->block_ = VirtualAllocEx(program->process, nullptr, sizeof(TextRequest),
                                         MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        return program;
    }

    ~Program() {
        if (process != nullptr) {
            if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, kWaitMs);
            }
            CloseHandle(process);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    HWND Control(int id) const { return GetDlgItem(main, id); }
    // A menu item chosen: posted, as the menu does.
    void Command(int id) const { PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // Returns once the program is back in its message loop: a sent message waits for the
    // handler that is running to finish, so whatever it does after an effect we saw is done.
    bool Settle() const { return SendBounded(main, WM_NULL, 0, 0).has_value(); }

    // A file of its folder; "(missing)" when there is none.
    std::string File(const std::filesystem::path& name) const {
        std::ifstream file(folder / name, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return file ? bytes.str() : "(missing)";
    }

    // The dialog box (class "#32770") the main window owns, or null.
    HWND OwnedBox() const {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            if (GetWindow(box, GW_OWNER) == main && IsWindowVisible(box)) {
                return box;
            }
        }
        return nullptr;
    }

    // The box the last action opened, its title and text checked, then answered as `answer`
    // says; its text, or none after a failed check when no box comes or it stays open, which
    // leaves the program in a state the next step cannot use.
    std::optional<std::string> Answer(Checks& checks, const BoxAnswer& answer) const {
        const std::string what = std::string("the box \"") + answer.title + "\"";
        HWND box = nullptr;
        if (!checks.That(Soon([&] { return (box = OwnedBox()) != nullptr; }), what + " opens")) {
            return std::nullopt;
        }
        checks.Equal(CaptionOf(box), answer.title, what + ": title");
        const bool input = answer.typed != nullptr;
        // A message box's text is its static 0xFFFF.
        const std::string text =
            CaptionOf(GetDlgItem(box, input ? win32ui::IDC_InputPrompt : 0xFFFF));
        if (answer.text != nullptr) {
            checks.Equal(text, answer.text, what + ": text");
        }
        HWND field = GetDlgItem(box, win32ui::IDC_InputText);
        if (answer.shown != nullptr) {
            checks.Equal(TextOf(field), answer.shown, what + ": the text it opens with");
        }
        if ((input && !SetTextOf(field, answer.typed)) ||
            !checks.That(Press(GetDlgItem(box, answer.button)) &&
                             Soon([&] { return !IsWindow(box); }) && Settle(),
                         what + " closes when its button is pressed")) {
            return std::nullopt;
        }
        return text;
    }

    // A "stopped" failure naming the exit code when the program has ended.
    void Stopped(Checks& checks) const {
        DWORD code = STILL_ACTIVE;
        const bool ended =
            WaitForSingleObject(process, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
        checks.Fail(!ended ? "stopped: the program is not in the state the next step needs"
                           : "stopped: brevanto.exe ended with code " + std::to_string(code));
    }

    // The grid, a list view. Its messages that answer through a pointer need that pointer
    // in the program's process, so their structures travel through a block of memory
    // allocated there.
    int Rows() const {
        return static_cast<int>(SendBounded(grid_, LVM_GETITEMCOUNT, 0, 0).value_or(-1));
    }

    // "(unreadable)" when it cannot be read.
    std::string CellText(int row, int column) const {
        TextRequest request{};
        request.item.mask = LVIF_TEXT;
        request.item.iItem = row;
        request.item.iSubItem = column;
        request.item.pszText = static_cast<char*>(block_) + offsetof(TextRequest, text);
        request.item.cchTextMax = sizeof request.text;
        if (!Exchange(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), &request, sizeof request)) {
            return "(unreadable)";
        }
        request.text[sizeof request.text - 1] = '\0';
        return request.text;
    }

    // A left click in the middle of the cell: the cursor moves there first, so the posted
    // button messages carry the click's position both in lParam and as the message position.
    bool ClickCell(int row, int column) const {
        // Column 0's label rectangle is its cell; for the others the bounds are.
        RECT rect{column == 0 ? LVIR_LABEL : LVIR_BOUNDS, column, 0, 0};
        return Exchange(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), &rect, sizeof rect)
                   .value_or(0) &&
               Click({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    bool Click(POINT client) const {
        POINT screen = client;
        const LPARAM at = MAKELPARAM(client.x, client.y);
        return ClientToScreen(grid_, &screen) && SetCursorPos(screen.x, screen.y) &&
               PostMessageA(grid_, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
               PostMessageA(grid_, WM_LBUTTONUP, 0, at);
    }

    std::filesystem::path folder;
    HANDLE process = nullptr;
    HWND main = nullptr;

  private:
    struct TextRequest {
        LVITEMA item;
        char text[4096 - sizeof(LVITEMA)];
    };

    // Sends the grid the message with data copied through the block; the answer, or none.
    std::optional<LRESULT> Exchange(UINT message, WPARAM wParam, void* data, SIZE_T size) const {
        if (block_ == nullptr || !WriteProcessMemory(process, block_, data, size, nullptr)) {
            return std::nullopt;
        }
        const auto result = SendBounded(grid_, message, wParam, reinterpret_cast<LPARAM>(block_));
        if (!result || !ReadProcessMemory(process, block_, data, size, nullptr)) {
            return std::nullopt;
        }
        return result;
    }

    HWND grid_ = nullptr;
    void* block_ = nullptr;
};

}  // namespace brevanto::wine

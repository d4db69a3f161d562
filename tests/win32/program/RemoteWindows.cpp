#include "program/RemoteWindows.h"

#include <commctrl.h>

#include <cstddef>
#include <fstream>
#include <sstream>
#include <vector>

#include "ui/win32/ControlIds.h"

namespace brevanto::wine {
namespace {

constexpr DWORD kStartMs = 30'000;
constexpr int kMessageText = 0xFFFF;  // the static holding a message box's text
constexpr SIZE_T kBlockSize = 4096;

struct TextRequest {
    LVITEMA item;
    char text[kBlockSize - sizeof(LVITEMA)];
};

}  // namespace

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kWaitMs / 2,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
    const LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0).value_or(0);
    std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
    const LRESULT copied =
        SendBounded(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))
            .value_or(0);
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

bool SetTextOf(HWND window, const std::string& text) {
    return SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).value_or(0) ==
           TRUE;
}

std::string CaptionOf(HWND window) {
    char text[4096] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool Press(HWND button) {
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0);
}

std::optional<LRESULT> Program::Exchange(UINT message, WPARAM wParam, void* data,
                                         SIZE_T size) const {
    if (block_ == nullptr || !WriteProcessMemory(process, block_, data, size, nullptr)) {
        return std::nullopt;
    }
    const auto result = SendBounded(grid_, message, wParam, reinterpret_cast<LPARAM>(block_));
    if (!result || !ReadProcessMemory(process, block_, data, size, nullptr)) {
        return std::nullopt;
    }
    return result;
}

int Program::Rows() const {
    return static_cast<int>(SendBounded(grid_, LVM_GETITEMCOUNT, 0, 0).value_or(-1));
}

std::string Program::CellText(int row, int column) const {
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

bool Program::ClickCell(int row, int column) const {
    // Column 0's label rectangle is its cell; for the others the bounds are.
    RECT rect{column == 0 ? LVIR_LABEL : LVIR_BOUNDS, column, 0, 0};
    return Exchange(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), &rect, sizeof rect).value_or(0) &&
           Click({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool Program::Click(POINT client) const {
    POINT screen = client;
    const LPARAM at = MAKELPARAM(client.x, client.y);
    return ClientToScreen(grid_, &screen) && SetCursorPos(screen.x, screen.y) &&
           PostMessageA(grid_, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
           PostMessageA(grid_, WM_LBUTTONUP, 0, at);
}

std::unique_ptr<Program> Program::Start(Checks& checks, const char* data) {
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
        while ((window = FindWindowExA(nullptr, window, win32ui::kMainWindowClass, "Brevanto"))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == GetProcessId(program->process)) {
                program->main = window;
                return true;
            }
        }
        return false;
    };
    if (!checks.That(WaitUntil(found, kStartMs) && program->Settle(),
                     "the main window appears with the caption \"Brevanto\" and answers")) {
        return nullptr;
    }
    program->grid_ = program->Control(win32ui::IDC_flexGrid);
    program->block_ = VirtualAllocEx(program->process, nullptr, kBlockSize,
                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    return program;
}

Program::~Program() {
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

std::string Program::File(const std::filesystem::path& name) const {
    std::ifstream file(folder / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? bytes.str() : "(missing)";
}

HWND Program::OwnedBox() const {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        if (GetWindow(box, GW_OWNER) == main && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

std::optional<std::string> Program::Answer(Checks& checks, const BoxAnswer& answer) const {
    const std::string what = std::string("the box \"") + answer.title + "\"";
    HWND box = nullptr;
    if (!checks.That(Soon([&] { return (box = OwnedBox()) != nullptr; }), what + " opens")) {
        return std::nullopt;
    }
    checks.Equal(CaptionOf(box), answer.title, what + ": title");
    const bool input = answer.typed != nullptr;
    const std::string text =
        CaptionOf(GetDlgItem(box, input ? win32ui::IDC_InputPrompt : kMessageText));
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

void Program::Stopped(Checks& checks) const {
    DWORD code = STILL_ACTIVE;
    const bool ended =
        WaitForSingleObject(process, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    checks.Fail(!ended ? "stopped: the program is not in the state the next step needs"
                       : "stopped: brevanto.exe ended with code " + std::to_string(code));
}

}  // namespace brevanto::wine

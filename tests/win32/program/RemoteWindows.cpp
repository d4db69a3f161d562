#include "program/RemoteWindows.h"

#include <commctrl.h>

#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

namespace brevanto::wine {

std::string ThisProgramsFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of("\\/") + 1);
}
namespace {

constexpr UINT kSendTimeoutMs = 5'000;
constexpr SIZE_T kBlockSize = 4096;

struct TextRequest {
    LVITEMA item;
    char text[kBlockSize - sizeof(LVITEMA)];
};

}  // namespace

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string TextOf(HWND window) {
    const LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0).value_or(0);
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        SendBounded(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))
            .value_or(0);
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
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

HWND OwnedBox(HWND owner) {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

bool Press(HWND button) {
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0);
}

RemoteListView::RemoteListView(HWND listView, HANDLE process)
    : listView_(listView),
      process_(process),
      block_(
          VirtualAllocEx(process, nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteListView::~RemoteListView() {
    if (block_ != nullptr) {
        VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    }
}

std::optional<LRESULT> RemoteListView::Exchange(UINT message, WPARAM wParam, void* data,
                                                SIZE_T size) const {
    if (block_ == nullptr || !WriteProcessMemory(process_, block_, data, size, nullptr)) {
        return std::nullopt;
    }
    const auto result = SendBounded(listView_, message, wParam, reinterpret_cast<LPARAM>(block_));
    if (!result || !ReadProcessMemory(process_, block_, data, size, nullptr)) {
        return std::nullopt;
    }
    return result;
}

int RemoteListView::Rows() const {
    return static_cast<int>(SendBounded(listView_, LVM_GETITEMCOUNT, 0, 0).value_or(-1));
}

std::optional<RECT> RemoteListView::CellRect(int row, int column) const {
    // Column 0's label rectangle is its cell; for the others the bounds are.
    RECT rect{column == 0 ? LVIR_LABEL : LVIR_BOUNDS, column, 0, 0};
    if (Exchange(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), &rect, sizeof rect).value_or(0) ==
        0) {
        return std::nullopt;
    }
    return rect;
}

std::optional<std::string> RemoteListView::CellText(int row, int column) const {
    TextRequest request{};
    request.item.mask = LVIF_TEXT;
    request.item.iItem = row;
    request.item.iSubItem = column;
    request.item.pszText = static_cast<char*>(block_) + offsetof(TextRequest, text);
    request.item.cchTextMax = sizeof request.text;
    if (!Exchange(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), &request, sizeof request)) {
        return std::nullopt;
    }
    request.text[sizeof request.text - 1] = '\0';
    return std::string(request.text);
}

bool RemoteListView::ClickCell(int row, int column) const {
    const auto rect = CellRect(row, column);
    return rect && Click({(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2});
}

bool RemoteListView::Click(POINT client) const {
    POINT screen = client;
    const LPARAM at = MAKELPARAM(client.x, client.y);
    return ClientToScreen(listView_, &screen) && SetCursorPos(screen.x, screen.y) &&
           PostMessageA(listView_, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
           PostMessageA(listView_, WM_LBUTTONUP, 0, at);
}

}  // namespace brevanto::wine

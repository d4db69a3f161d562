#include "ui/win32/ShellNotifyIcon.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace brevanto::win32ui {

bool ShellNotifyIcon::Call(unsigned long action, const ui::NotifyIconData& data) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = reinterpret_cast<HWND>(data.window);
    record.uID = data.id;
    record.uFlags = data.flags;
    record.uCallbackMessage = data.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(static_cast<std::intptr_t>(data.icon));
    const std::size_t tipLength = std::min(data.tip.size(), ui::kTipCapacity);
    std::memcpy(record.szTip, data.tip.data(), tipLength);
    record.szTip[tipLength] = '\0';
    if (::Shell_NotifyIconA(action, &record)) {
        return true;
    }
    lastError_ = static_cast<std::int32_t>(::GetLastError());
    return false;
}

bool ShellNotifyIcon::Add(const ui::NotifyIconData& data) {
    return Call(NIM_ADD, data);
}

bool ShellNotifyIcon::Modify(const ui::NotifyIconData& data) {
    return Call(NIM_MODIFY, data);
}

bool ShellNotifyIcon::Delete(const ui::NotifyIconData& data) {
    return Call(NIM_DELETE, data);
}

}  // namespace brevanto::win32ui

// Brevanto's entry point on Windows: the native window over the real window system, which
// drives the AIM client running on the same desktop.
#include "aim/win32/Win32WindowSystem.h"
#include "core/SingleInstance.h"
#include "data/InstanceLock.h"
#include "ui/win32/frmBrevanto.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Two Brevantos on one data file would each save over the other's pairs.
    const brevanto::data::InstanceLock lock("data.dat");
    if (lock.state() == brevanto::data::InstanceLock::State::HeldElsewhere) {
        ::MessageBoxA(nullptr, brevanto::core::AlreadyRunningText("data.dat").c_str(), "Brevanto",
                      MB_OK);
        return 1;
    }

    brevanto::aim::Win32WindowSystem windows;
    brevanto::win32ui::frmBrevanto window(windows);
    if (!window.Create(showCommand)) {
        ::MessageBoxA(nullptr, "The main window could not be created.", "Brevanto", MB_OK);
        return 1;
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!window.PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

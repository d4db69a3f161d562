// Prints where Brevanto's main window, or one of its controls, lies on the screen as
// "left top width height", so that scripts can click on it with xdotool:
// windowrect [control id]. Waits up to ten seconds for the window to appear.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ui/win32/ControlIds.h"

int main(int argc, char* argv[]) {
    HWND window = nullptr;
    for (int tries = 0; !window && tries < 100; ++tries) {
        window = ::FindWindowA(brevanto::win32ui::kMainWindowClass, "Brevanto");
        if (!window) {
            ::Sleep(100);
        }
    }
    if (window && argc > 1) {
        window = ::GetDlgItem(window, std::atoi(argv[1]));
    }
    RECT rect{};
    if (!window || !::GetWindowRect(window, &rect)) {
        std::fprintf(stderr, "windowrect: no such window\n");
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

#include "ui/win32/TrayMenu.h"

#include "ui/win32/ControlIds.h"

namespace brevanto::win32ui {

int ShowTrayMenu(HWND owner, const core::ModeControls& mode) {
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, IDM_trayShow, "&Show");
    ::AppendMenuA(menu, MF_STRING, IDM_trayToggle, mode.startCaption.c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_trayExit, "E&xit");
    POINT point{};
    ::GetCursorPos(&point);
    // Without being the foreground window the owner would never see the menu close when
    // the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    const int chosen = static_cast<int>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr));
    ::PostMessageA(owner, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
    return chosen;
}

HICON MarkedIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) {
        return nullptr;
    }
    BITMAP size{};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(size), &size);
    const int side = size.bmWidth;
    const int dot = side / 2;
    const RECT area{side - dot, side - dot, side, side};
    HDC screen = ::GetDC(nullptr);
    HDC canvas = ::CreateCompatibleDC(screen);
    HBRUSH green = ::CreateSolidBrush(RGB(0, 170, 0));
    HPEN white = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    // The colour image gets the dot; the mask makes the dot's pixels opaque.
    for (HBITMAP image : {info.hbmColor, info.hbmMask}) {
        if (!image) {
            continue;
        }
        HGDIOBJ oldBitmap = ::SelectObject(canvas, image);
        const bool mask = image == info.hbmMask;
        HGDIOBJ oldBrush = ::SelectObject(canvas, mask ? ::GetStockObject(BLACK_BRUSH) : green);
        HGDIOBJ oldPen = ::SelectObject(canvas, mask ? ::GetStockObject(BLACK_PEN) : white);
        ::Ellipse(canvas, area.left, area.top, area.right, area.bottom);
        ::SelectObject(canvas, oldPen);
        ::SelectObject(canvas, oldBrush);
        ::SelectObject(canvas, oldBitmap);
    }
    HICON marked = ::CreateIconIndirect(&info);
    ::DeleteObject(white);
    ::DeleteObject(green);
    ::DeleteDC(canvas);
    ::ReleaseDC(nullptr, screen);
    if (info.hbmColor) {
        ::DeleteObject(info.hbmColor);
    }
    ::DeleteObject(info.hbmMask);
    return marked;
}

}  // namespace brevanto::win32ui

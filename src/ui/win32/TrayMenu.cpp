#include "ui/win32/TrayMenu.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

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
    HICON marked = nullptr;
    BITMAP size{};
    if (info.hbmColor && ::GetObjectA(info.hbmColor, sizeof(size), &size) && size.bmWidth > 0) {
        const int side = size.bmWidth;
        const int rows = std::abs(size.bmHeight);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = side;
        format.bmiHeader.biHeight = -rows;  // top row first
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * rows);
        HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(rows), pixels.data(), &format,
                    DIB_RGB_COLORS);
        // An image with an alpha channel needs the dot opaque in it; one without keeps alpha
        // 0 everywhere, or the system would start reading the channel.
        const bool hasAlpha =
            std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p >> 24; });
        const std::uint32_t opaque = hasAlpha ? 0xFF000000u : 0;
        // A green dot with a white ring, 5/16 of the side in radius, in the lower right.
        const int radius = side * 5 / 16;
        const int centre = side - radius - 1;
        for (int y = 0; y < rows && y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const int distance = (x - centre) * (x - centre) + (y - centre) * (y - centre);
                if (distance <= radius * radius) {
                    const bool ring = distance > (radius - 2) * (radius - 2);
                    pixels[static_cast<std::size_t>(y) * side + x] =
                        opaque | (ring ? 0xFFFFFFu : 0x00AA00u);
                }
            }
        }
        ::SetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(rows), pixels.data(), &format,
                    DIB_RGB_COLORS);
        // The mask makes the dot's pixels opaque where the image has no alpha channel.
        HDC canvas = ::CreateCompatibleDC(screen);
        HGDIOBJ oldBitmap = ::SelectObject(canvas, info.hbmMask);
        HGDIOBJ oldBrush = ::SelectObject(canvas, ::GetStockObject(BLACK_BRUSH));
        HGDIOBJ oldPen = ::SelectObject(canvas, ::GetStockObject(BLACK_PEN));
        ::Ellipse(canvas, centre - radius, centre - radius, centre + radius + 1,
                  centre + radius + 1);
        ::SelectObject(canvas, oldPen);
        ::SelectObject(canvas, oldBrush);
        ::SelectObject(canvas, oldBitmap);
        ::DeleteDC(canvas);
        ::ReleaseDC(nullptr, screen);
        marked = ::CreateIconIndirect(&info);
    }
    if (info.hbmColor) {
        ::DeleteObject(info.hbmColor);
    }
    ::DeleteObject(info.hbmMask);
    return marked;
}

}  // namespace brevanto::win32ui

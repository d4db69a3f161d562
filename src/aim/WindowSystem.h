#pragma once

#include <cstdint>

// The window system as Brevanto uses it: one member per user32 call the program makes, in
// its ANSI form and with the same arguments. The real Win32 layer forwards each member to
// user32; the simulated AIM client answers them in process. Everything that reads or
// drives the AIM client is written against this interface, call for call.
namespace brevanto::aim {

// A window handle as the window system gives it; 0 stands for no window. Win32 handles
// keep their meaning in 32 bits, so the 64-bit build narrows and sign-extends them.
using Hwnd = std::int32_t;

inline constexpr unsigned GW_HWNDNEXT = 2;

inline constexpr unsigned WM_SETTEXT = 0x000C;
inline constexpr unsigned WM_GETTEXT = 0x000D;
inline constexpr unsigned WM_GETTEXTLENGTH = 0x000E;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // windowName is nullptr when any caption will do, as in every call the program makes.
    virtual Hwnd FindWindowA(const char* className, const char* windowName) = 0;
    virtual Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                               const char* windowName) = 0;
    virtual Hwnd GetWindow(Hwnd window, unsigned relation) = 0;
    virtual std::int32_t GetWindowTextLengthA(Hwnd window) = 0;
    // Copies at most maxCount - 1 characters and a terminating NUL; returns the number
    // of characters copied.
    virtual std::int32_t GetWindowTextA(Hwnd window, char* buffer, std::int32_t maxCount) = 0;
    // For WM_GETTEXT and WM_SETTEXT, lParam carries the address of the buffer or text.
    // A window that is missing or does not answer in time gives 0.
    virtual std::intptr_t SendMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;
    virtual bool PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) = 0;
};

}  // namespace brevanto::aim

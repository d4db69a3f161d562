#pragma once

#include <cstdint>

#include "aim/WindowSystem.h"

// The window system of a real Windows desktop: every member forwards to the user32 call of
// the same name in its ANSI form. The header stays free of <windows.h> so that callers do
// not inherit its macros.
namespace brevanto::aim {

class Win32WindowSystem final : public WindowSystem {
  public:
    // How long a sent message may wait for the AIM client before it counts as not answering.
    static constexpr unsigned kDefaultSendTimeoutMs = 3000;

    explicit Win32WindowSystem(unsigned sendTimeoutMs = kDefaultSendTimeoutMs);

    Hwnd FindWindowA(const char* className, const char* windowName) override;
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                       const char* windowName) override;
    Hwnd GetWindow(Hwnd window, unsigned relation) override;
    std::int32_t GetWindowTextLengthA(Hwnd window) override;
    std::int32_t GetWindowTextA(Hwnd window, char* buffer, std::int32_t maxCount) override;
    // Waits at most the send time-out, and not at all for a window whose thread the system
    // already knows to be hung or that let the last call time out within one time-out's
    // length; either way the call gives 0, as a missing window does.
    // WM_GETTEXTLENGTH gives a length the ANSI text never exceeds.
    std::intptr_t SendMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    bool PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam) override;

    unsigned SendTimeoutMs() const { return sendTimeoutMs_; }

  private:
    // Sends through SendMessageTimeoutW or ...A; false when the window did not answer.
    bool SendBounded(Hwnd window, bool unicode, unsigned message, std::uintptr_t wParam,
                     std::intptr_t lParam, std::uintptr_t& result);
    std::intptr_t AnsiTextLengthBound(Hwnd window);

    unsigned sendTimeoutMs_;
    // The window that last let a call time out, and when (GetTickCount64).
    Hwnd timedOutWindow_ = 0;
    std::uint64_t timedOutAt_ = 0;
};

}  // namespace brevanto::aim

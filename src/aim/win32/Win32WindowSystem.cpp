#include "aim/win32/Win32WindowSystem.h"

#include <windows.h>

#include "data/codepage/CodePage.h"

namespace brevanto::aim {
namespace {

// Window handles carry their meaning in the low 32 bits, also in a 64-bit process, and
// the system sign-extends them; going through intptr_t keeps that round trip exact.
HWND ToHandle(Hwnd window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

Hwnd FromHandle(HWND window) {
    return static_cast<Hwnd>(reinterpret_cast<std::intptr_t>(window));
}

// SMTO_BLOCK: messages sent to our own windows wait until the AIM client has answered, so
// no handler of ours re-enters the routine that is waiting; the time-out bounds the wait.
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

}  // namespace

Win32WindowSystem::Win32WindowSystem(unsigned sendTimeoutMs) : sendTimeoutMs_(sendTimeoutMs) {}

Hwnd Win32WindowSystem::FindWindowA(const char* className, const char* windowName) {
    return FromHandle(::FindWindowA(className, windowName));
}

Hwnd Win32WindowSystem::FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                                      const char* windowName) {
    return FromHandle(
        ::FindWindowExA(ToHandle(parent), ToHandle(childAfter), className, windowName));
}

Hwnd Win32WindowSystem::GetWindow(Hwnd window, unsigned relation) {
    return FromHandle(::GetWindow(ToHandle(window), relation));
}

// For a window of another process both caption calls read the caption the system keeps
// for the window instead of sending it a message, so a hung AIM client cannot block them.
std::int32_t Win32WindowSystem::GetWindowTextLengthA(Hwnd window) {
    return ::GetWindowTextLengthA(ToHandle(window));
}

std::int32_t Win32WindowSystem::GetWindowTextA(Hwnd window, char* buffer, std::int32_t maxCount) {
    return ::GetWindowTextA(ToHandle(window), buffer, maxCount);
}

std::intptr_t Win32WindowSystem::SendMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
    if (message == WM_GETTEXTLENGTH) {
        return AnsiTextLengthBound(window);
    }
    // WM_GETTEXT and WM_SETTEXT are system messages: the system copies their buffers across
    // the process boundary and converts their text between the code pages.
    std::uintptr_t result = 0;
    return SendBounded(window, false, message, wParam, lParam, result)
               ? static_cast<std::intptr_t>(result)
               : 0;
}

// A tick sends the transcript pane its length request and its text request back to back,
// and the system only calls a thread hung after seconds of silence: without this memory a
// client that just stopped answering would cost every tick two time-outs instead of one.
bool Win32WindowSystem::SendBounded(Hwnd window, bool unicode, unsigned message,
                                    std::uintptr_t wParam, std::intptr_t lParam,
                                    std::uintptr_t& result) {
    if (window != 0 && window == timedOutWindow_ &&
        ::GetTickCount64() - timedOutAt_ < sendTimeoutMs_) {
        return false;
    }
    DWORD_PTR answer = 0;
    const auto send = unicode ? ::SendMessageTimeoutW : ::SendMessageTimeoutA;
    if (send(ToHandle(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
             kSendFlags, sendTimeoutMs_, &answer) == 0) {
        if (::GetLastError() == ERROR_TIMEOUT) {
            timedOutWindow_ = window;
            timedOutAt_ = ::GetTickCount64();
        }
        return false;
    }
    if (window == timedOutWindow_) {
        timedOutWindow_ = 0;
    }
    result = static_cast<std::uintptr_t>(answer);
    return true;
}

// The length request goes out in its Unicode form. Wine answers the ANSI form for a window
// of another thread by sending a second, unbounded WM_GETTEXT after the first reply, even
// when that reply timed out, so a hung client would hold Brevanto forever. A character of
// the ANSI code page takes at most MaxCharSize bytes, so the scaled Unicode length is never
// shorter than the ANSI text (exact for single-byte code pages such as 1252), which is all
// a length request promises; GetText takes the copied count where the bound over-counts.
std::intptr_t Win32WindowSystem::AnsiTextLengthBound(Hwnd window) {
    std::uintptr_t units = 0;
    if (!SendBounded(window, true, WM_GETTEXTLENGTH, 0, 0, units)) {
        return 0;
    }
    return static_cast<std::intptr_t>(units * static_cast<std::uintptr_t>(codepage::MaxCharSize()));
}

bool Win32WindowSystem::PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    return ::PostMessageA(ToHandle(window), message, static_cast<WPARAM>(wParam),
                          static_cast<LPARAM>(lParam)) != 0;
}

}  // namespace brevanto::aim

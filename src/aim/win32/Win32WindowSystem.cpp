#include "aim/win32/Win32WindowSystem.h"

#include <windows.h>

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
    // SMTO_BLOCK: messages sent to our own windows wait until the AIM client has answered,
    // so no handler of ours re-enters the routine that is waiting; the time-out bounds the
    // wait either way. WM_GETTEXT and WM_SETTEXT are system messages, so the system copies
    // their buffers across the process boundary.
    DWORD_PTR result = 0;
    const LRESULT answered = ::SendMessageTimeoutA(
        ToHandle(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
        SMTO_ABORTIFHUNG | SMTO_BLOCK, sendTimeoutMs_, &result);
    if (answered == 0) {
        return 0;
    }
    return static_cast<std::intptr_t>(result);
}

bool Win32WindowSystem::PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
    return ::PostMessageA(ToHandle(window), message, static_cast<WPARAM>(wParam),
                          static_cast<LPARAM>(lParam)) != 0;
}

}  // namespace brevanto::aim

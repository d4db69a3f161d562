#include "ui/win32/ProgressBox.h"

#include <commctrl.h>

#include "ui/win32/ControlIds.h"

namespace brevanto::win32ui {

namespace {

constexpr int kSteps = 1000;
constexpr unsigned long long kShowAfterMs = 500;

}  // namespace

bool ProgressBox::Show(HWND owner, const std::string& text, double share) {
    if (started_ == 0) {
        started_ = ::GetTickCount64();
        cancelled_ = false;
    }
    if (Handle() == nullptr && ::GetTickCount64() - started_ >= kShowAfterMs && Open(owner)) {
        owner_ = owner;
        ::EnableWindow(owner_, FALSE);
    }
    if (Handle() != nullptr) {
        ::SetDlgItemTextA(Handle(), IDC_ProgressText, text.c_str());
        ::SendDlgItemMessageA(Handle(), IDC_ProgressBar, PBM_SETPOS,
                              static_cast<WPARAM>(share * kSteps), 0);
        HandleMessages();
    }
    return !cancelled_;
}

void ProgressBox::End() {
    if (owner_ != nullptr) {
        // Enabled before the box goes, so the activation returns to the main window.
        ::EnableWindow(owner_, TRUE);
        owner_ = nullptr;
    }
    Close();
    started_ = 0;
}

HWND ProgressBox::Build() {
    Frame("Brevanto", 4800, 1410);
    Add("STATIC", "", SS_LEFT | SS_NOPREFIX, IDC_ProgressText, 120, 120, 4560, 255);
    HWND bar = Add(PROGRESS_CLASSA, "", 0, IDC_ProgressBar, 120, 480, 4560, 255);
    ::SendMessageA(bar, PBM_SETRANGE32, 0, kSteps);
    return Add("BUTTON", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL, 1852, 900, 1095, 375);
}

void ProgressBox::Command(int id) {
    if (id == IDCANCEL) {
        cancelled_ = true;
    }
}

void ProgressBox::HandleMessages() {
    MSG message;
    // The box's own messages (the filter takes its controls' too), then every repaint.
    while (::PeekMessageA(&message, Handle(), 0, 0, PM_REMOVE) ||
           ::PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            cancelled_ = true;
            return;
        }
        if (!::IsDialogMessageA(Handle(), &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

}  // namespace brevanto::win32ui

#include "ui/win32/ModalDialog.h"

#include <string_view>

namespace brevanto::win32ui {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// DLGTEMPLATE followed by empty menu, class and title fields: no controls, no size yet.
struct alignas(4) EmptyTemplate {
    WORD words[12] = {};

    EmptyTemplate() {
        words[0] = LOWORD(kDialogStyle);
        words[1] = HIWORD(kDialogStyle);
    }
};

}  // namespace

INT_PTR ModalDialog::Run(HWND owner) {
    static const EmptyTemplate kTemplate;
    const INT_PTR result = ::DialogBoxIndirectParamA(
        ::GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(&kTemplate), owner,
        &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    return result < 0 ? 0 : result;
}

bool ModalDialog::Open(HWND owner) {
    static const EmptyTemplate kTemplate;
    ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr),
                                 reinterpret_cast<const DLGTEMPLATE*>(&kTemplate), owner,
                                 &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (dialog_ != nullptr) {
        ::ShowWindow(dialog_, SW_SHOW);
    }
    return dialog_ != nullptr;
}

void ModalDialog::Close() {
    if (dialog_ != nullptr) {
        ::DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->dialog_ = dialog;
        ::SetFocus(self->Build());
        return FALSE;  // the focus is set
    }
    auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        self->Command(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void ModalDialog::Frame(const char* title, int clientWidth, int clientHeight) {
    RECT frame{0, 0, scale_.X(clientWidth), scale_.Y(clientHeight)};
    ::AdjustWindowRectEx(&frame, kDialogStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    // In the middle of the screen, where the system's own message boxes appear.
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowTextA(dialog_, title);
}

HWND ModalDialog::Add(const char* windowClass, const char* text, DWORD style, int id, int left,
                      int top, int width, int height) {
    const DWORD exStyle = (std::string_view(windowClass) == "EDIT") ? WS_EX_CLIENTEDGE : 0;
    HWND control = ::CreateWindowExA(
        exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, scale_.X(left), scale_.Y(top),
        scale_.X(width), scale_.Y(height), dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    SetFont(control, fonts_.Standard());
    return control;
}

}  // namespace brevanto::win32ui

#include "ui/win32/LogBox.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "ui/win32/Win32Text.h"

namespace brevanto::win32ui {

namespace {

// How far back from a piece's end a space is looked for to break after.
constexpr std::size_t kSpaceSearch = 200;

}  // namespace

void LogBox::Attach(HWND edit) {
    edit_ = edit;
    ::SetWindowSubclass(edit, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void LogBox::Set(const std::string& ansi) {
    if (ansi == log_) {
        return;
    }
    log_ = ansi;
    lines_ = ui::BreakLongLines(WithCrLf(ansi), kPiece, kSpaceSearch,
                                [](unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; });
    ::SetWindowTextA(edit_, lines_.shown.c_str());
}

// The selection as CF_TEXT, the added breaks left out.
void LogBox::Copy() const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    if (start >= std::min<std::size_t>(end, lines_.shown.size())) {
        return;
    }
    const std::string text = ui::WithoutBreaks(lines_, start, end);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) {
        return;
    }
    if (void* bytes = ::GlobalLock(memory)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory);
    }
    if (::OpenClipboard(edit_)) {
        ::EmptyClipboard();
        if (::SetClipboardData(CF_TEXT, memory) != nullptr) {
            memory = nullptr;  // the clipboard owns it now
        }
        ::CloseClipboard();
    }
    if (memory != nullptr) {
        ::GlobalFree(memory);
    }
}

LRESULT CALLBACK LogBox::Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR self) {
    if (message == WM_COPY) {
        reinterpret_cast<const LogBox*>(self)->Copy();
        return 0;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(edit, Proc, id);
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace brevanto::win32ui

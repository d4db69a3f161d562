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
    const std::string text = WithCrLf(ansi);
    shown_.clear();
    shown_.reserve(text.size() + text.size() / kPiece * 2);
    breaks_.clear();
    std::size_t copied = 0;     // text before this is in shown_
    std::size_t lineStart = 0;  // where the shown line that i is on begins
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' || byte == '\n') {
            lineStart = i + 1;
            continue;
        }
        if (i - lineStart >= kPiece) {
            // i begins a character: the piece ends after the last space before it, if one is
            // near, else at i.
            std::size_t end = i;
            for (std::size_t j = i; j > lineStart && i - j < kSpaceSearch; --j) {
                if (text[j - 1] == ' ') {
                    end = j;
                    break;
                }
            }
            shown_.append(text, copied, end - copied);
            breaks_.push_back(shown_.size());
            shown_.append("\r\n");
            copied = end;
            lineStart = end;
        }
        if (::IsDBCSLeadByte(byte) && i + 1 < text.size()) {
            ++i;  // a double-byte character stays whole
        }
    }
    shown_.append(text, copied, std::string::npos);
    ::SetWindowTextA(edit_, shown_.c_str());
}

// The selection as CF_TEXT, the added breaks left out.
void LogBox::Copy() const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    end = std::min<DWORD>(end, static_cast<DWORD>(shown_.size()));
    if (start >= end) {
        return;
    }
    std::string text;
    text.reserve(end - start);
    std::size_t at = start;
    for (const std::size_t added : breaks_) {
        if (added + 2 <= start || added >= end) {
            continue;
        }
        if (added > at) {
            text.append(shown_, at, added - at);
        }
        at = std::max(at, added + 2);
    }
    if (at < end) {
        text.append(shown_, at, end - at);
    }
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

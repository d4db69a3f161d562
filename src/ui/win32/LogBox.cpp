#include "ui/win32/LogBox.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "ui/win32/Win32Text.h"

namespace brevanto::win32ui {

namespace {

constexpr int kMargin = 2;  // pixels left and right of the text, as an edit keeps
constexpr UINT kMenuCopy = 1;
constexpr UINT kMenuSelectAll = 2;

bool KeyDown(int key) {
    return ::GetKeyState(key) < 0;
}

}  // namespace

LogBox::LogBox()
    : measure_(::CreateCompatibleDC(nullptr)),
      layout_([this](std::string_view text, int width) { return Fit(text, width); },
              [](unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }) {
    SetFont(nullptr);
}

LogBox::~LogBox() {
    if (box_) {
        ::SetWindowLongPtrA(box_, GWLP_USERDATA, 0);
    }
    if (measure_) {
        ::DeleteDC(measure_);
    }
}

void LogBox::Register(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &LogBox::Proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32513));  // IDC_IBEAM
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExA(&windowClass);
}

void LogBox::Attach(HWND box) {
    box_ = box;
    ::SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Relayout();
}

void LogBox::Set(const std::string& ansi) {
    if (ansi == log_) {
        return;
    }
    std::string text = WithCrLf(ansi);
    // A log that only grew keeps the view and the selection where they were.
    const std::string& shown = layout_.Text();
    const bool grows = text.size() > shown.size() && text.compare(0, shown.size(), shown) == 0;
    log_ = ansi;
    layout_.SetText(std::move(text));
    if (!grows) {
        top_ = {};
        anchor_ = caret_ = 0;
    }
    Relayout();
}

LRESULT CALLBACK LogBox::Proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LogBox*>(::GetWindowLongPtrA(box, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcA(box, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->box_ = nullptr;
        ::SetWindowLongPtrA(box, GWLP_USERDATA, 0);
        return ::DefWindowProcA(box, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT LogBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the background
        case WM_SIZE:
            Relayout();
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            Relayout();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETTEXT:
            Set(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(layout_.Text().size());
        case WM_GETTEXT: {
            if (wParam == 0) {
                return 0;
            }
            const std::size_t count = std::min<std::size_t>(wParam - 1, layout_.Text().size());
            std::memcpy(reinterpret_cast<char*>(lParam), layout_.Text().data(), count);
            reinterpret_cast<char*>(lParam)[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_HASSETSEL;
        case EM_GETSEL: {
            const auto [from, to] = std::minmax(anchor_, caret_);
            if (wParam) {
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(from);
            }
            if (lParam) {
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(to);
            }
            return MAKELRESULT(std::min<std::size_t>(from, 0xFFFF),
                               std::min<std::size_t>(to, 0xFFFF));
        }
        case EM_SETSEL: {
            // As an edit's: a start of -1 selects nothing, an end of -1 the end of the log.
            const auto start = static_cast<int>(wParam);
            const auto end = static_cast<int>(lParam);
            const std::size_t size = layout_.Text().size();
            if (start < 0) {
                Select(caret_, caret_);
            } else {
                Select(static_cast<std::size_t>(start),
                       end < 0 ? size : static_cast<std::size_t>(end));
            }
            return 0;
        }
        case WM_VSCROLL:
            OnScrollBar(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            ::SetFocus(box_);
            const std::size_t at = OffsetAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            Select((wParam & MK_SHIFT) ? anchor_ : at, at);
            dragging_ = true;
            ::SetCapture(box_);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (dragging_) {
                const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                RECT client{};
                ::GetClientRect(box_, &client);
                // Dragging above or below the box scrolls it a row at a time.
                if (point.y < 0) {
                    ScrollTo(layout_.Moved(top_, -1));
                } else if (point.y >= client.bottom) {
                    ScrollTo(layout_.Moved(top_, 1));
                }
                Select(anchor_, OffsetAt(point));
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) {
                ::ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        case WM_SETFOCUS:
            // A caret, as a read-only edit shows, tells where the focus is.
            ::CreateCaret(box_, nullptr, 1, lineHeight_);
            ::InvalidateRect(box_, nullptr, FALSE);  // painting places it
            ::ShowCaret(box_);
            return 0;
        case WM_KILLFOCUS:
            ::DestroyCaret();
            return 0;
        case WM_CONTEXTMENU:
            ShowMenu(lParam);
            return 0;
        case WM_COPY:
            Copy();
            return 0;
        default:
            return ::DefWindowProcA(box_, message, wParam, lParam);
    }
}

// Measures about two rows' worth of `text` (at the average character width), more only when all
// of that fits: measuring costs by the character.
std::size_t LogBox::Fit(std::string_view text, int width) const {
    if (width <= 0 || text.empty()) {
        return 0;
    }
    const std::size_t guess = static_cast<std::size_t>(width) * 2 / charWidth_ + 8;
    for (std::size_t count = std::min(text.size(), guess);;
         count = std::min(text.size(), count * 2)) {
        INT fits = 0;
        SIZE size{};
        if (!::GetTextExtentExPointA(measure_, text.data(), static_cast<int>(count), width, &fits,
                                     nullptr, &size)) {
            return 0;
        }
        if (static_cast<std::size_t>(fits) < count || count == text.size()) {
            return static_cast<std::size_t>(std::max(fits, 0));
        }
    }
}

void LogBox::SetFont(HFONT font) {
    font_ = font;
    ::SelectObject(measure_, font ? font : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(measure_, &metrics);
    lineHeight_ = std::max<int>(metrics.tmHeight, 1);
    charWidth_ = std::max<int>(metrics.tmAveCharWidth, 1);
}

// After the text, the size or the font changed: wraps to the width, keeps the view within
// the log and sets the scroll bar.
void LogBox::Relayout() {
    if (!box_) {
        return;
    }
    RECT client{};
    ::GetClientRect(box_, &client);
    layout_.SetWidth(client.right - 2 * kMargin);
    lastTop_ = layout_.LastPage(RowsInView());
    top_ = std::min(top_, lastTop_);
    ShowScrollPosition();
    ::InvalidateRect(box_, nullptr, FALSE);
}

// The rows wholly in view, at least one.
int LogBox::RowsInView() const {
    RECT client{};
    ::GetClientRect(box_, &client);
    return std::max<int>(client.bottom / lineHeight_, 1);
}

// The scroll bar counts pieces, not rows, which would need the whole log measured. When
// the last page begins inside a piece, one more position stands for it.
void LogBox::ShowScrollPosition() {
    const std::size_t extra = lastTop_.row > 0 ? 1 : 0;
    const std::size_t lastPage = layout_.Pieces() - lastTop_.piece;
    const std::size_t position = extra && top_ == lastTop_ ? lastTop_.piece + 1 : top_.piece;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax =
        static_cast<int>(std::min<std::size_t>(lastTop_.piece + extra + lastPage - 1, INT_MAX));
    info.nPage = static_cast<UINT>(lastPage);
    info.nPos = static_cast<int>(position);
    ::SetScrollInfo(box_, SB_VERT, &info, TRUE);
}

void LogBox::ScrollTo(ui::LogPlace top) {
    top = std::min(top, lastTop_);
    if (top != top_) {
        top_ = top;
        ShowScrollPosition();
        ::InvalidateRect(box_, nullptr, FALSE);
    }
}

void LogBox::OnScrollBar(int code) {
    const long page = std::max(RowsInView() - 1, 1);
    switch (code) {
        case SB_LINEUP:
            ScrollTo(layout_.Moved(top_, -1));
            break;
        case SB_LINEDOWN:
            ScrollTo(layout_.Moved(top_, 1));
            break;
        case SB_PAGEUP:
            ScrollTo(layout_.Moved(top_, -page));
            break;
        case SB_PAGEDOWN:
            ScrollTo(layout_.Moved(top_, page));
            break;
        case SB_TOP:
            ScrollTo({});
            break;
        case SB_BOTTOM:
            ScrollTo(lastTop_);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            ::GetScrollInfo(box_, SB_VERT, &info);
            const auto piece = static_cast<std::size_t>(std::max(info.nTrackPos, 0));
            ScrollTo(piece > lastTop_.piece ? lastTop_ : ui::LogPlace{piece, 0});
            break;
        }
        default:
            break;
    }
}

void LogBox::OnWheel(int delta) {
    UINT rowsPerNotch = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &rowsPerNotch, 0);
    if (rowsPerNotch == WHEEL_PAGESCROLL) {
        rowsPerNotch = static_cast<UINT>(std::max(RowsInView() - 1, 1));
    }
    wheelRest_ += delta * static_cast<int>(rowsPerNotch);
    const int rows = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= rows * WHEEL_DELTA;
    ScrollTo(layout_.Moved(top_, -rows));
}

void LogBox::OnKey(WPARAM key) {
    const bool control = KeyDown(VK_CONTROL);
    switch (key) {
        case VK_UP:
            OnScrollBar(SB_LINEUP);
            break;
        case VK_DOWN:
            OnScrollBar(SB_LINEDOWN);
            break;
        case VK_PRIOR:
            OnScrollBar(SB_PAGEUP);
            break;
        case VK_NEXT:
            OnScrollBar(SB_PAGEDOWN);
            break;
        case VK_HOME:
            OnScrollBar(SB_TOP);
            break;
        case VK_END:
            OnScrollBar(SB_BOTTOM);
            break;
        case 'A':
            if (control) {
                Select(0, layout_.Text().size());
            }
            break;
        case 'C':
        case VK_INSERT:
            if (control) {
                Copy();
            }
            break;
        default:
            break;
    }
}

// The character boundary nearest to a point in the box; below the last row, the end.
std::size_t LogBox::OffsetAt(POINT point) const {
    const int row = std::max<int>(point.y, 0) / lineHeight_;
    const auto view = layout_.View(top_, row + 1);
    if (view.empty()) {
        return 0;
    }
    if (static_cast<std::size_t>(row) >= view.size()) {
        return view.back().end;
    }
    return layout_.OffsetAt(view[static_cast<std::size_t>(row)],
                            point.x - kMargin + charWidth_ / 2);
}

void LogBox::Select(std::size_t anchor, std::size_t caret) {
    const std::size_t size = layout_.Text().size();
    anchor = std::min(anchor, size);
    caret = std::min(caret, size);
    if (anchor != anchor_ || caret != caret_) {
        anchor_ = anchor;
        caret_ = caret;
        ::InvalidateRect(box_, nullptr, FALSE);
    }
}

// The selection as CF_TEXT: the log's own bytes.
void LogBox::Copy() const {
    const std::string_view text = layout_.Between(anchor_, caret_);
    if (text.empty()) {
        return;
    }
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) {
        return;
    }
    if (auto* bytes = static_cast<char*>(::GlobalLock(memory))) {
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        ::GlobalUnlock(memory);
    }
    if (::OpenClipboard(box_)) {
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

void LogBox::ShowMenu(LPARAM where) {
    POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) {  // from the keyboard: at the box's corner
        point = {0, 0};
        ::ClientToScreen(box_, &point);
    }
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING | (anchor_ == caret_ ? MF_GRAYED : 0), kMenuCopy, "&Copy");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, kMenuSelectAll, "Select &All");
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           point.x, point.y, 0, box_, nullptr));
    ::DestroyMenu(menu);
    if (chosen == kMenuCopy) {
        Copy();
    } else if (chosen == kMenuSelectAll) {
        Select(0, layout_.Text().size());
    }
}

// Draws the rows in view, the selected part of each in the highlight colours, and a
// selected line end as a narrow block after its row.
void LogBox::Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(box_, &paint);
    ::FillRect(dc, &paint.rcPaint, ::GetSysColorBrush(COLOR_WINDOW));
    const HGDIOBJ oldFont = ::SelectObject(dc, font_ ? font_ : ::GetStockObject(SYSTEM_FONT));
    ::SetTextAlign(dc, TA_UPDATECP);
    const auto [from, to] = std::minmax(anchor_, caret_);
    const std::string& text = layout_.Text();
    POINT caret{-lineHeight_, -lineHeight_};  // out of sight unless its row is in view
    int y = 0;
    for (const ui::LogRow& row : layout_.View(top_, RowsInView() + 1)) {
        ::MoveToEx(dc, kMargin, y, nullptr);
        const std::size_t cuts[] = {row.begin, std::clamp(from, row.begin, row.end),
                                    std::clamp(to, row.begin, row.end), row.end};
        for (int part = 0; part < 3; ++part) {
            const bool selected = part == 1;
            ::SetBkMode(dc, selected ? OPAQUE : TRANSPARENT);
            ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
            ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            if (cuts[part + 1] > cuts[part]) {
                ::TextOutA(dc, 0, 0, text.data() + cuts[part],
                           static_cast<int>(cuts[part + 1] - cuts[part]));
            }
        }
        const bool endsLine =
            row.end < text.size() && (text[row.end] == '\r' || text[row.end] == '\n');
        // At a wrap the caret goes to the start of the next row.
        if (caret_ >= row.begin &&
            (caret_ < row.end || (caret_ == row.end && (endsLine || row.end == text.size())))) {
            SIZE before{};
            ::GetTextExtentPoint32A(dc, text.data() + row.begin,
                                    static_cast<int>(caret_ - row.begin), &before);
            caret = {kMargin + before.cx, y};
        }
        if (endsLine && from <= row.end && row.end < to) {
            POINT at{};
            ::GetCurrentPositionEx(dc, &at);
            const RECT block{at.x, y, at.x + std::max(charWidth_ / 2, 2), y + lineHeight_};
            ::FillRect(dc, &block, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        y += lineHeight_;
    }
    if (::GetFocus() == box_) {
        ::SetCaretPos(caret.x, caret.y);
    }
    ::SelectObject(dc, oldFont);
    ::EndPaint(box_, &paint);
}

}  // namespace brevanto::win32ui

#include "aim/modAIM.h"

#include <algorithm>
#include <limits>
#include <new>

#include "aim/text/Occurrences.h"
#include "data/codepage/CodePage.h"

namespace brevanto::modAIM {

namespace {

constexpr const char* PaneClass = "WndAte32Class";
constexpr const char* ButtonClass = "_Oscar_IconBtn";
constexpr const char* BuddyListClass = "_Oscar_BuddyListWin";

// A length announced by another program: negative reads as 0, and it is held so that the
// buffer size n + 1 still fits the 32-bit argument.
std::int32_t AnnouncedLength(long long announced) {
    return static_cast<std::int32_t>(std::clamp(
        announced, 0LL, static_cast<long long>(std::numeric_limits<std::int32_t>::max() - 1)));
}

// A buffer of n + 1 bytes for the window to copy into; the window writes at most n
// characters and a NUL, and the result is cut to exactly n whatever it wrote. A length
// too large to hold reads as a missing window.
std::string ReadInto(std::int32_t n, char fill, auto&& copy) {
    std::string buffer;
    try {
        buffer.assign(static_cast<std::size_t>(n) + 1, fill);
    } catch (const std::bad_alloc&) {
        return {};
    }
    copy(buffer.data(), n + 1);
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

// On a code page whose characters may take two bytes a length request answers only a
// bound (Windows documents it so for the ANSI forms of both length calls), which the text
// falls short of whenever it holds a double-byte character: there the text is what the
// window copied. A single-byte code page has exact lengths, and a window that copies less
// than it announced keeps the padding.
void CutToCopied(std::string& text, std::intptr_t copied) {
    if (codepage::MaxCharSize() > 1 && copied >= 0 &&
        static_cast<std::size_t>(copied) < text.size()) {
        text.resize(static_cast<std::size_t>(copied));
    }
}

// Whether what occurs in text, case-sensitively. An empty string occurs in every
// non-empty text and in no empty one.
bool Occurs(std::string_view text, std::string_view what) {
    if (what.empty()) {
        return !text.empty();
    }
    return aim::Occurrences(text, what).FirstFrom(0) != aim::Occurrences::kNone;
}

}  // namespace

std::string GetCaption(WindowSystem& windows, Hwnd window) {
    const std::int32_t n = AnnouncedLength(windows.GetWindowTextLengthA(window));
    std::int32_t copied = 0;
    std::string caption = ReadInto(n, '\0', [&](char* buffer, std::int32_t size) {
        copied = windows.GetWindowTextA(window, buffer, size);
    });
    CutToCopied(caption, copied);
    return caption;
}

std::string GetText(WindowSystem& windows, Hwnd window) {
    // The length is a 32-bit result, whatever width the call returns it in.
    const auto announced =
        static_cast<std::int32_t>(windows.SendMessageA(window, aim::WM_GETTEXTLENGTH, 0, 0));
    const std::int32_t n = AnnouncedLength(announced);
    bool answered = true;
    std::intptr_t copied = 0;
    std::string text = ReadInto(n, ' ', [&](char* buffer, std::int32_t size) {
        copied = windows.SendMessageA(window, aim::WM_GETTEXT, static_cast<std::uintptr_t>(size),
                                      reinterpret_cast<std::intptr_t>(buffer));
        // A window that copies nothing still writes its NUL; an untouched buffer means the
        // call never reached it (it stopped answering after giving its length), and that
        // reads as a missing window, not as a text of spaces.
        answered = copied != 0 || buffer[0] != ' ';
    });
    if (!answered) {
        return {};
    }
    CutToCopied(text, copied);
    return text;
}

std::string GetIMText(WindowSystem& windows, Hwnd imWindow) {
    const Hwnd pane = windows.FindWindowExA(imWindow, 0, PaneClass, nullptr);
    return HTMLToText(GetText(windows, pane));
}

std::string GetIMBuddyName(WindowSystem& windows, Hwnd imWindow) {
    std::string caption = GetCaption(windows, imWindow);
    caption = ReplaceText(caption, " - Instant Message", "");
    caption = ReplaceText(caption, "Responded to ", "");
    return caption;
}

std::string GetMyScreenName(WindowSystem& windows) {
    const Hwnd list = windows.FindWindowA(BuddyListClass, nullptr);
    if (list == 0) {
        return "[not online]";
    }
    return ReplaceText(GetCaption(windows, list), "'s Buddy List Window", "");
}

std::string GetLastMessage(WindowSystem& windows, std::string_view transcript,
                           std::string_view name) {
    // An empty name stands everywhere and names nobody: there is nothing to answer.
    if (name.empty()) {
        return {};
    }
    const std::size_t last = aim::Occurrences(transcript, name).Last();
    const std::string_view tail =
        last == aim::Occurrences::kNone ? std::string_view() : transcript.substr(last);
    // Asked once the tail is known, also when the name did not occur: the client sees the
    // same sequence of window reads for every transcript.
    const std::string me = GetMyScreenName(windows);
    return Occurs(tail, me) ? NulMarker : std::string(tail);
}

void SendIM(WindowSystem& windows, Hwnd imWindow, std::string_view reply) {
    const Hwnd pane = windows.FindWindowExA(imWindow, 0, PaneClass, nullptr);
    const Hwnd input = windows.GetWindow(pane, aim::GW_HWNDNEXT);
    const std::string text(reply);  // NUL-terminated for the window
    windows.SendMessageA(input, aim::WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(text.c_str()));
    const Hwnd button = windows.FindWindowExA(imWindow, 0, ButtonClass, nullptr);
    windows.SendMessageA(button, aim::WM_LBUTTONDOWN, 0, 0);
    windows.SendMessageA(button, aim::WM_LBUTTONUP, 0, 0);
}

void CloseWindow(WindowSystem& windows, Hwnd window) {
    windows.PostMessageA(window, aim::WM_CLOSE, 0, 0);
}

}  // namespace brevanto::modAIM

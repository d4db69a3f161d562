// The system's active ANSI code page (GetACP), the code page of the Windows build.
#include <windows.h>

#include <climits>
#include <string>

#include "data/codepage/ActiveCodePage.h"
#include "data/codepage/CodePage.h"

namespace brevanto::codepage {
namespace {

// A capital's small letter through Unicode. It counts only when it is again a single byte
// of the code page, so lengths never change; A-Z always map to a-z (the invariant casing).
unsigned char LowerThroughUnicode(unsigned char byte) {
    const char ansi = static_cast<char>(byte);
    wchar_t wide = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &ansi, 1, &wide, 1) != 1) {
        return byte;
    }
    wchar_t small = 0;
    if (LCMapStringW(LOCALE_INVARIANT, LCMAP_LOWERCASE, &wide, 1, &small, 1) != 1 ||
        small == wide) {
        return byte;
    }
    char back[4] = {};
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &small, 1, back, sizeof back, nullptr,
                            &lossy) != 1 ||
        lossy) {
        return byte;
    }
    return static_cast<unsigned char>(back[0]);
}

detail::ActiveCodePage MakeActive() {
    detail::ActiveCodePage codePage;
    CPINFO info{};
    // Without the code page's figures, a double-byte code page is the safe assumption:
    // text lengths are then taken as bounds, never as exact counts.
    codePage.maxCharSize = GetCPInfo(CP_ACP, &info) ? static_cast<int>(info.MaxCharSize) : 2;
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<unsigned char>(byte);
        codePage.lead[b] = IsDBCSLeadByte(b) != 0;
        codePage.lower[b] = codePage.lead[b] ? b : LowerThroughUnicode(b);
    }
    return codePage;
}

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), units);
    return wide;
}

// A character without a code becomes "?" rather than a look-alike ("best fit"). UTF-8
// takes neither option, also when it is the active code page.
std::string Narrow(UINT codePage, std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    const bool utf8 = codePage == CP_UTF8 || GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* unknown = utf8 ? nullptr : "?";
    const int units = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, unknown, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), units, text.data(), size, unknown, nullptr);
    return text;
}

}  // namespace

const detail::ActiveCodePage& detail::Active() {
    static const ActiveCodePage active = MakeActive();
    return active;
}

std::string AnsiToUtf8(std::string_view ansi) {
    return Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

// Malformed UTF-8 arrives as U+FFFD, which no single- or double-byte code page holds: it
// becomes "?" too.
std::string Utf8ToAnsi(std::string_view utf8) {
    return Narrow(CP_ACP, Widen(CP_UTF8, utf8));
}

}  // namespace brevanto::codepage

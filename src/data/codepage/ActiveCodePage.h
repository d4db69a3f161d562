#pragma once

#include <array>

// What the platform's code page file tells the shared lower-casing code: one of
// CodePage1252.cpp (a fixed table) or CodePageWin32.cpp (derived from the active code page).
namespace brevanto::codepage::detail {

struct ActiveCodePage {
    std::array<unsigned char, 256> lower{};
    // Bytes that begin a double-byte character; all false on a single-byte code page.
    std::array<bool, 256> lead{};
    int maxCharSize = 1;
};

// Made once, on first use.
const ActiveCodePage& Active();

}  // namespace brevanto::codepage::detail

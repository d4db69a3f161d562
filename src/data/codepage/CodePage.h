#pragma once

#include <string>
#include <string_view>

// The ANSI code page in which Brevanto holds all text: the system's active code page on
// Windows (double-byte ones included), Windows-1252 elsewhere. Text stays a byte string
// inside the program, exactly as it crosses the Win32 boundary and as "data.dat" stores
// it; only the window layer converts to and from Unicode.
namespace brevanto::codepage {

// The most bytes one character takes: 1 for single-byte code pages such as 1252 or 1251,
// 2 for double-byte ones such as 932.
int MaxCharSize();

// Lower-cases one single-byte character: A-Z and the code page's other capitals map to
// their small letters, every other byte (lead bytes of double-byte characters included)
// maps to itself.
unsigned char Lower(unsigned char byte);

// The 256-entry table behind Lower, for routines that fold in a tight loop.
const unsigned char* LowerTable();

// Lower-cases text character by character: single-byte characters through the table,
// double-byte characters kept as they are (their second byte may look like a capital).
// Lengths never change.
std::string ToLower(std::string_view text);
// The same in place, for text that is a copy already.
void LowerInPlace(std::string& text);

// Whether text begins with bytes that ToLower turns into lowered; allocates nothing.
bool StartsLowered(std::string_view text, std::string_view lowered);

// Converts ANSI bytes to UTF-8. On Windows-1252 every byte has a meaning; the five bytes
// the code page leaves undefined map to the C1 control characters of the same value.
std::string AnsiToUtf8(std::string_view ansi);

// Converts UTF-8 to ANSI bytes. A character without a code in the code page, and every
// malformed UTF-8 sequence, becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace brevanto::codepage

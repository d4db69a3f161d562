#pragma once

#include <string>
#include <string_view>

// The ANSI code page in which Brevanto holds all text: Windows-1252. Text stays a byte
// string inside the program, exactly as it crosses the Win32 boundary and as "data.dat"
// stores it; only the window layer converts to and from Unicode.
namespace brevanto::codepage {

// Lower-cases one byte: A-Z and the code page's other capitals map to their small
// letters, every other byte maps to itself. Lengths never change.
unsigned char Lower(unsigned char byte);

// The 256-entry table behind Lower, for routines that fold in a tight loop.
const unsigned char* LowerTable();

// Lower-cases every byte of text through the table.
std::string ToLower(std::string_view text);

// Converts ANSI bytes to UTF-8. Every byte has a meaning; the five bytes that
// Windows-1252 leaves undefined map to the C1 control characters of the same value.
std::string AnsiToUtf8(std::string_view ansi);

// Converts UTF-8 to ANSI bytes. A character without a code in the code page, and every
// malformed UTF-8 sequence, becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace brevanto::codepage

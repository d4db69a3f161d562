#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts between the runner and the fake AIM client travel in line-based files. Bytes that
// could break a line or that a reader would not see (control characters, bytes 0x80-0xFF,
// the backslash) are written as \xHH, so every text comes back byte for byte.
namespace brevanto::wine {

std::string Escape(std::string_view text);

// nullopt for a malformed escape.
std::optional<std::string> Unescape(std::string_view text);

}  // namespace brevanto::wine

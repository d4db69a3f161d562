#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

// Texts between the test programs and the fake AIM client: the scenario on the client's
// command line, the events it reports in its report file, one a line as
// "<kind> <IM window index> <escaped text>". Bytes that could break a line or a quoted
// argument (control characters, bytes 0x80-0xFF, the backslash, the double quote) travel
// as \xHH, so every text comes back byte for byte.
namespace brevanto::wine {

inline std::string Escape(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\' || c == '"') {
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0x0F]};
        } else {
            out += c;
        }
    }
    return out;
}

// nullopt for a malformed escape.
inline std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        unsigned char byte = 0;
        const char* digits = text.data() + i + 2;
        if (text.size() - i < 4 || text[i + 1] != 'x' ||
            std::from_chars(digits, digits + 2, byte, 16).ptr != digits + 2) {
            return std::nullopt;
        }
        out += static_cast<char>(byte);
        i += 3;
    }
    return out;
}

}  // namespace brevanto::wine

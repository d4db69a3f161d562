#include "common/Escape.h"

#include <charconv>

namespace brevanto::wine {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\') {
            out += "\\x";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
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

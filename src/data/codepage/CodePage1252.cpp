// Windows-1252, the code page of the builds for other systems than Windows.
#include "data/codepage/ActiveCodePage.h"
#include "data/codepage/CodePage.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace brevanto::codepage {
namespace {

constexpr detail::ActiveCodePage Make1252() {
    detail::ActiveCodePage codePage;
    auto& table = codePage.lower;
    for (int byte = 0; byte < 256; ++byte) {
        table[byte] = static_cast<unsigned char>(byte);
    }
    for (int byte = 'A'; byte <= 'Z'; ++byte) {
        table[byte] = static_cast<unsigned char>(byte + 0x20);
    }
    // The capitals of Windows-1252 outside ASCII: S, O-E and Z with caron, Y with
    // diaeresis, and the Latin-1 block. 0xD7 is the multiplication sign, not a letter.
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    for (int byte = 0xC0; byte <= 0xDE; ++byte) {
        if (byte != 0xD7) {
            table[byte] = static_cast<unsigned char>(byte + 0x20);
        }
    }
    return codePage;
}

constexpr detail::ActiveCodePage k1252 = Make1252();

// Unicode code points of the bytes 0x80-0x9F, the only range in which Windows-1252 differs
// from Latin-1. The five bytes the code page leaves undefined keep the C1 control of the
// same value, as Windows itself converts them, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr char kNoCode = '?';

char32_t ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every code point of the code page lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return kNoCode;
}

// Length of the sequence a lead byte announces and the range its second byte must lie
// in; the narrowed ranges exclude overlong forms, surrogates and values past U+10FFFF.
struct LeadByte {
    int length;
    unsigned char secondMin;
    unsigned char secondMax;
};

LeadByte Classify(unsigned char lead) {
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead == 0xE0)
        return {3, 0xA0, 0xBF};
    if (lead == 0xED)
        return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {3, 0x80, 0xBF};
    if (lead == 0xF0)
        return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {4, 0x80, 0xBF};
    if (lead == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

const detail::ActiveCodePage& detail::Active() {
    return k1252;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t i = 0;
    while (i < size) {
        const LeadByte lead = Classify(bytes[i]);
        if (lead.length == 1) {
            out += static_cast<char>(bytes[i++]);
            continue;
        }
        if (lead.length == 0) {
            out += kNoCode;
            ++i;
            continue;
        }
        // Take continuation bytes while they fit; a sequence cut short becomes one "?"
        // and the byte that broke it starts the next character.
        char32_t cp = bytes[i] & (0x7F >> lead.length);
        int taken = 1;
        while (taken < lead.length && i + taken < size) {
            const unsigned char next = bytes[i + taken];
            const bool fits = taken == 1 ? (next >= lead.secondMin && next <= lead.secondMax)
                                         : (next >= 0x80 && next <= 0xBF);
            if (!fits) {
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
            ++taken;
        }
        out += taken == lead.length ? FromCodePoint(cp) : kNoCode;
        i += static_cast<std::size_t>(taken);
    }
    return out;
}

}  // namespace brevanto::codepage

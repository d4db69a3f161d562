#include "data/codepage/CodePage.h"

#include "data/codepage/ActiveCodePage.h"

namespace brevanto::codepage {

// Every lead byte maps to itself in the table, so each loop below reads the table for every
// character's first byte and passes over the second byte of a double-byte character.

int MaxCharSize() {
    return detail::Active().maxCharSize;
}

unsigned char Lower(unsigned char byte) {
    return detail::Active().lower[byte];
}

const unsigned char* LowerTable() {
    return detail::Active().lower.data();
}

std::string ToLower(std::string_view text) {
    std::string lowered(text);
    LowerInPlace(lowered);
    return lowered;
}

void LowerInPlace(std::string& text) {
    const detail::ActiveCodePage& codePage = detail::Active();
    if (codePage.maxCharSize == 1) {
        // Without double-byte characters no byte decides where the next one starts, so the
        // bytes are folded independently, several at a time.
        for (char& byte : text) {
            byte = static_cast<char>(codePage.lower[static_cast<unsigned char>(byte)]);
        }
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        text[i] = static_cast<char>(codePage.lower[byte]);
        if (codePage.lead[byte]) {
            ++i;
        }
    }
}

bool StartsLowered(std::string_view text, std::string_view lowered) {
    if (text.size() < lowered.size()) {
        return false;
    }
    const detail::ActiveCodePage& codePage = detail::Active();
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (codePage.lower[byte] != static_cast<unsigned char>(lowered[i])) {
            return false;
        }
        if (codePage.lead[byte] && ++i < lowered.size() && text[i] != lowered[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace brevanto::codepage

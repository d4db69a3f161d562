#pragma once

// The transcript text routines written the plain way: every step lower-cases the whole
// text again, searches it from the start and rebuilds the string. Quadratic and slow on
// purpose, so that they are obviously right; the fast routines must give byte for byte
// the same results.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/codepage/CodePage.h"

namespace brevanto::oracle {

inline std::string ReplaceText(std::string_view text, std::string_view find,
                               std::string_view replacement) {
    std::string result(text);
    if (find.empty()) {
        return result;
    }
    const std::string lowerFind = codepage::ToLower(find);
    std::size_t p = codepage::ToLower(result).find(lowerFind, 0);
    while (p != std::string::npos) {
        result = result.substr(0, p) + std::string(replacement) + result.substr(p + find.size());
        // Searching resumes behind the replacement, in the new text lowered again.
        p = codepage::ToLower(result).find(lowerFind, p + replacement.size());
    }
    return result;
}

inline std::string ReplaceFirst(std::string_view text, std::string_view find,
                                std::string_view replacement) {
    std::string result(text);
    if (find.empty()) {
        return result;
    }
    const std::size_t p = codepage::ToLower(result).find(codepage::ToLower(find), 0);
    if (p != std::string::npos) {
        result = result.substr(0, p) + std::string(replacement) + result.substr(p + find.size());
    }
    return result;
}

// Removes ranges while a start marker is in the text: a is the first start marker, b the
// first end marker at or after a, and the characters a through b + extra - 1 go. The end
// marker is searched from a, not from the start of the text, so that a text with an end
// marker missing or only ahead of the start marker stops instead of looping. The loop
// also stops when a pass would remove nothing or run backwards (an empty start marker,
// or an extra length so small that b + extra <= a), because it would never end either.
inline std::string RemoveTagRange(std::string_view text, std::string_view startMarker,
                                  std::string_view endMarker, std::int32_t extraLength) {
    std::string result(text);
    if (startMarker.empty()) {
        return result;
    }
    for (;;) {
        const std::size_t a = result.find(startMarker);
        if (a == std::string::npos) {
            break;
        }
        const std::size_t b = result.find(endMarker, a);
        if (b == std::string::npos) {
            break;
        }
        const std::int64_t rangeEnd = static_cast<std::int64_t>(b) + extraLength;
        if (rangeEnd <= static_cast<std::int64_t>(a)) {
            break;
        }
        std::string after;
        if (rangeEnd < static_cast<std::int64_t>(result.size())) {
            after = result.substr(static_cast<std::size_t>(rangeEnd));
        }
        result = result.substr(0, a) + after;
    }
    return result;
}

inline std::string HTMLToText(std::string_view html) {
    std::string text(html);
    text = ReplaceText(text, "</FONT>", "");
    text = ReplaceText(text, "</B>", "");
    text = ReplaceText(text, "</BODY>", "");
    text = ReplaceText(text, "<B>", "");
    text = ReplaceText(text, "<BR>", "\n");
    text = ReplaceText(text, "<HTML>", "");
    text = ReplaceText(text, "</HTML>", "");
    text = ReplaceText(text, "\r", "\n");
    text = RemoveTagRange(text, "<BODY", "\"><", 2);
    text = RemoveTagRange(text, "<!--", "-->", 3);
    text = RemoveTagRange(text, "<FONT", ">", 1);
    return text;
}

}  // namespace brevanto::oracle

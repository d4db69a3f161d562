#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A text control lays out a long unbroken line over and over while it wraps it, so a log box
// shows a line longer than `piece` bytes as several, broken after a space where one is near.
// Copying from the box gives the text without those breaks.
namespace brevanto::ui {

struct BrokenLines {
    std::string shown;                // the text with a CR LF added at each break
    std::vector<std::size_t> breaks;  // where `shown` holds an added CR LF
};

// Breaks the lines of `text` (CR LF line ends) longer than `piece` bytes; how far back from a
// piece's end a space is looked for is `spaceSearch`. `isLead` tells a byte that begins a
// double-byte character, which stays whole.
template <class IsLead>
BrokenLines BreakLongLines(std::string_view text, std::size_t piece, std::size_t spaceSearch,
                           IsLead isLead) {
    BrokenLines out;
    out.shown.reserve(text.size() + text.size() / piece * 2);
    std::size_t copied = 0;     // text before this is in out.shown
    std::size_t lineStart = 0;  // where the shown line that i is on begins
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' || byte == '\n') {
            lineStart = i + 1;
            continue;
        }
        if (i - lineStart >= piece) {
            // i begins a character: the piece ends after the last space before it, if one is
            // near, else at i.
            std::size_t end = i;
            for (std::size_t j = i; j > lineStart && i - j < spaceSearch; --j) {
                if (text[j - 1] == ' ') {
                    end = j;
                    break;
                }
            }
            out.shown.append(text, copied, end - copied);
            out.breaks.push_back(out.shown.size());
            out.shown.append("\r\n");
            copied = end;
            lineStart = end;
        }
        if (isLead(byte) && i + 1 < text.size()) {
            ++i;
        }
    }
    out.shown.append(text, copied, std::string_view::npos);
    return out;
}

// shown[start, end) without the added breaks, as copying gives it.
inline std::string WithoutBreaks(const BrokenLines& lines, std::size_t start, std::size_t end) {
    end = std::min(end, lines.shown.size());
    std::string text;
    std::size_t at = start;
    for (const std::size_t added : lines.breaks) {
        if (added + 2 <= start || added >= end) {
            continue;
        }
        if (added > at) {
            text.append(lines.shown, at, added - at);
        }
        at = std::max(at, added + 2);
    }
    if (at < end) {
        text.append(lines.shown, at, end - at);
    }
    return text;
}

}  // namespace brevanto::ui

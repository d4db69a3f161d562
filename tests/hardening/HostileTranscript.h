#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "aim/simulated/TranscriptHtml.h"

namespace brevanto::hardening {

inline constexpr std::string_view kHostileBuddy = "pixelfox22";
inline constexpr std::size_t kOneMegabyte = 1 << 20;

inline std::string Repeated(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// A buddy message of at least 1 MB as raw HTML, the way a hostile client can send it:
// deeply nested font, comment and body tags, a long run of the buddy's own name, a block
// of NUL bytes, and font, comment and body openers that are never closed. Few of its tags
// are ones the conversion replaces, so the literal conversion can check the result.
inline std::string HostileMessage() {
    std::string message;
    for (int group = 0; group < 8; ++group) {
        message += Repeated("<FONT COLOR=\"", 3000) + Repeated(">", 3000) + "<B>nested</B>";
    }
    message += Repeated("<!--", 5000) + "-->";
    message += Repeated("<BODY x=\"", 2000) + "\"><";
    message += "\r\n";
    message += Repeated(kHostileBuddy, 30000);
    const std::string unclosed = Repeated("<FONT ", 10000) + Repeated("<!-- ", 5000) + "<BODY";
    const std::size_t nuls = message.size() + unclosed.size() < kOneMegabyte
                                 ? kOneMegabyte - message.size() - unclosed.size()
                                 : 0;
    message += std::string(nuls + 1, '\0');
    message += unclosed;
    return message;
}

// The transcript pane's whole HTML with that message as the buddy's one line.
inline std::string HostileTranscriptHtml() {
    using namespace aim::simulated;
    return AppendLine("",
                      TranscriptLine(kHostileBuddy, BuddyColour, "9:14:02 PM", HostileMessage()));
}

}  // namespace brevanto::hardening

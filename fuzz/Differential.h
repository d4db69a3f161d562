#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What every differential target shares: the input bound and the check that aborts, so
// libFuzzer and the replay main both record the input that made the two sides differ.
namespace brevanto::fuzz {

// The literal oracles are quadratic; inputs up to this size keep them fast enough for
// thousands of executions per second. scripts/test-fuzz gives it to libFuzzer as -max_len,
// the replay's inputs stay far below it, and transcripts built from pieces stop at it.
inline constexpr std::size_t kMaxInputBytes = 4096;

// The text with control and non-ASCII bytes written as \xNN, so a report shows every
// byte that differs.
inline std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        }
    }
    return out;
}

// Aborts with both results when the fast routine and the oracle disagree.
inline void RequireSame(std::string_view what, std::string_view fast, std::string_view oracle) {
    if (fast == oracle) {
        return;
    }
    std::fprintf(
        stderr, "%.*s differs from its literal oracle\n  fast:   \"%s\"\n  oracle: \"%s\"\n",
        static_cast<int>(what.size()), what.data(), Escaped(fast).c_str(), Escaped(oracle).c_str());
    std::abort();
}

// Lines written one after another, each in brackets, so that lines that differ only in
// where they break still show apart.
inline std::string ShownLines(const std::vector<std::string>& lines) {
    std::string shown;
    for (const auto& line : lines) {
        shown += '[';
        shown += line;
        shown += ']';
    }
    return shown;
}

}  // namespace brevanto::fuzz

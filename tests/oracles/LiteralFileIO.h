#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/MessageTable.h"
#include "data/codepage/CodePage.h"

// The data file routines done the slow, obvious way: character by character, one small step
// at a time, on the file's lines held in memory. The fast routines must
// give exactly these results.
namespace brevanto::oracle {

// Reads lines one character at a time: a carriage return or a line feed ends the line, and
// a carriage return swallows one line feed right after it.
inline std::vector<std::string> LiteralReadLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    bool open_line = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(current);
            current.clear();
            open_line = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += bytes[i];
            open_line = true;
        }
    }
    if (open_line) {
        lines.push_back(current);
    }
    return lines;
}

inline std::string LiteralWriteLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

inline std::string LiteralLower(std::string_view text) {
    std::string lowered;
    for (char c : text) {
        lowered += static_cast<char>(codepage::Lower(static_cast<unsigned char>(c)));
    }
    return lowered;
}

// Removes spaces only, one at a time from each end.
inline std::string LiteralTrim(std::string text) {
    while (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// Binary comparison: character by character by unsigned code; a prefix comes first.
inline bool LiteralBelow(const std::string& a, const std::string& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) {
            return ca < cb;
        }
    }
    return a.size() < b.size();
}

// SaveEntry on the file's lines: normalise, find the first line whose lower-cased text
// begins with message and "=", replace it or put the new line after the last.
inline void LiteralSaveEntry(std::vector<std::string>& lines, const std::string& message,
                             const std::string& response) {
    std::string key = LiteralTrim(LiteralLower(message));
    if (key.empty()) {
        key = " ";
    }
    const std::string answer = LiteralTrim(response);
    const std::string wanted = key + "=";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (LiteralLower(lines[i]).substr(0, wanted.size()) == wanted) {
            lines[i] = key + "=" + answer;
            return;
        }
    }
    lines.push_back(key + "=" + answer);
}

// SaveGrid's effect on the file: emptied, then one SaveEntry per row in order.
inline std::vector<std::string> LiteralSaveRows(
    const std::vector<std::pair<std::string, std::string>>& rows) {
    std::vector<std::string> lines;
    for (const auto& [message, response] : rows) {
        LiteralSaveEntry(lines, message, response);
    }
    return lines;
}

inline std::string LiteralGetEntry(std::string_view bytes, const std::string& message) {
    const std::string key = LiteralTrim(LiteralLower(message));
    for (const std::string& line : LiteralReadLines(bytes)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        if (LiteralLower(line.substr(0, equals)) == key) {
            return LiteralTrim(line.substr(equals + 1));
        }
    }
    return "";
}

// The exchange sort of n x n comparisons, then line 0 and every line that differs from the
// one before it. A file without lines stays without lines.
inline std::vector<std::string> LiteralSortFile(std::vector<std::string> lines) {
    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (LiteralBelow(lines[i], lines[j])) {
                std::swap(lines[i], lines[j]);
            }
        }
    }
    std::vector<std::string> written;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || lines[i] != lines[i - 1]) {
            written.push_back(lines[i]);
        }
    }
    return written;
}

// LoadGrid through the grid's operations, one entry line at a time.
inline void LiteralLoadGrid(std::string_view bytes, data::MessageTable& grid) {
    grid.SetRows(1);
    for (const std::string& line : LiteralReadLines(bytes)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        grid.SetCol(0);
        grid.SetText(LiteralLower(line.substr(0, equals)));
        grid.SetCol(1);
        grid.SetText(LiteralTrim(line.substr(equals + 1)));
        grid.SetRows(grid.Rows() + 1);
        grid.SetRow(grid.Row() + 1);
    }
    grid.SetRows(grid.Rows() - 1);
}

}  // namespace brevanto::oracle

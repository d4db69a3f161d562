#include "common/Report.h"

#include <charconv>

namespace brevanto::wine {
namespace {

bool IsState(std::string_view kind) {
    return kind == "im" || kind == "open" || kind == "transcript" || kind == "input";
}

}  // namespace

std::string Escape(std::string_view text) {
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

std::optional<std::string> Unescape(std::string_view text) {
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

std::string FormatLine(const ReportLine& line) {
    return line.kind + " " + std::to_string(line.index) + " " + Escape(line.text) + "\n";
}

std::string Report::Of(std::string_view kind, int index) const {
    for (const ReportLine& line : lines) {
        if (line.kind == kind && line.index == index) {
            return line.text;
        }
    }
    return {};
}

std::vector<ReportLine> Report::Events(int index, std::string_view kind) const {
    std::vector<ReportLine> events;
    for (const ReportLine& line : lines) {
        if (line.index == index && !IsState(line.kind) && (kind.empty() || line.kind == kind)) {
            events.push_back(line);
        }
    }
    return events;
}

std::optional<Report> ParseReport(std::string_view text) {
    Report report;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line == "end") {
            return report;
        }
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first == std::string_view::npos ? 0 : first + 1);
        if (second == std::string_view::npos) {
            return std::nullopt;  // no space at all, or only one
        }
        ReportLine& parsed = report.lines.emplace_back();
        const char* end = line.data() + second;
        const std::optional<std::string> escaped = Unescape(line.substr(second + 1));
        if (std::from_chars(line.data() + first + 1, end, parsed.index).ptr != end || !escaped) {
            return std::nullopt;
        }
        parsed.kind = std::string(line.substr(0, first));
        parsed.text = *escaped;
    }
    return std::nullopt;  // no "end": the report was cut short
}

}  // namespace brevanto::wine

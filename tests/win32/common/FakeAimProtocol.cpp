#include "common/FakeAimProtocol.h"

#include <charconv>
#include <sstream>

namespace brevanto::wine {

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

std::vector<std::string> Report::All(std::string_view kind, int index) const {
    std::vector<std::string> texts;
    for (const ReportLine& line : lines) {
        if (line.kind == kind && line.index == index) {
            texts.push_back(line.text);
        }
    }
    return texts;
}

std::string Report::Of(std::string_view kind, int index) const {
    const auto texts = All(kind, index);
    return texts.empty() ? "" : texts.front();
}

std::optional<Report> ParseReport(std::string_view text) {
    std::istringstream in{std::string(text)};
    Report report;
    ReportLine line;
    std::string escaped;
    while (in >> line.kind && line.kind != "end") {
        std::optional<std::string> unescaped;
        if (!(in >> line.index) || in.get() != ' ' || !std::getline(in, escaped) ||
            !(unescaped = Unescape(escaped))) {
            return std::nullopt;
        }
        line.text = *unescaped;
        report.lines.push_back(line);
    }
    // A report without its last line "end" was cut short.
    return line.kind == "end" ? std::optional(report) : std::nullopt;
}

}  // namespace brevanto::wine

#include "common/Report.h"

#include <charconv>

#include "common/Escape.h"

namespace brevanto::wine {
namespace {

// Splits "word word ... text" into fieldCount leading words and the rest of the line.
bool SplitFields(std::string_view line, std::size_t fieldCount,
                 std::vector<std::string_view>& fields, std::string_view& rest) {
    fields.clear();
    for (std::size_t i = 0; i < fieldCount; ++i) {
        const std::size_t space = line.find(' ');
        if (space == std::string_view::npos) {
            return false;
        }
        fields.push_back(line.substr(0, space));
        line.remove_prefix(space + 1);
    }
    rest = line;
    return true;
}

template <typename Int>
bool ToInt(std::string_view text, Int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

const ImReport* Report::Im(int index) const {
    for (const ImReport& im : ims) {
        if (im.index == index) {
            return &im;
        }
    }
    return nullptr;
}

std::vector<ReportEvent> Report::EventsOf(int index) const {
    std::vector<ReportEvent> result;
    for (const ReportEvent& event : events) {
        if (event.index == index) {
            result.push_back(event);
        }
    }
    return result;
}

std::string FormatReport(const Report& report) {
    std::string out = "buddylist " + std::to_string(report.buddyList) + " \n";
    for (const ImReport& im : report.ims) {
        const std::string index = std::to_string(im.index);
        out += "im " + index + " " + std::to_string(im.hwnd) + " " + (im.open ? "1" : "0") + " " +
               Escape(im.caption) + "\n";
        out += "transcript " + index + " " + Escape(im.transcript) + "\n";
        out += "input " + index + " " + Escape(im.input) + "\n";
    }
    for (const ReportEvent& event : report.events) {
        out += "event " + event.kind + " " + std::to_string(event.index) + " " +
               Escape(event.text) + "\n";
    }
    out += "end\n";
    return out;
}

std::optional<Report> ParseReport(std::string_view text) {
    Report report;
    std::vector<std::string_view> fields;
    std::string_view rest;
    bool ended = false;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line == "end") {
            ended = true;
            continue;
        }
        if (!SplitFields(line, 1, fields, rest)) {
            return std::nullopt;
        }
        const std::string_view kind = fields[0];
        const std::string_view body = rest;
        if (kind == "buddylist") {
            if (!SplitFields(body, 1, fields, rest) || !ToInt(fields[0], report.buddyList)) {
                return std::nullopt;
            }
        } else if (kind == "im") {
            ImReport im;
            if (!SplitFields(body, 3, fields, rest) || !ToInt(fields[0], im.index) ||
                !ToInt(fields[1], im.hwnd)) {
                return std::nullopt;
            }
            im.open = fields[2] == "1";
            auto caption = Unescape(rest);
            if (!caption) {
                return std::nullopt;
            }
            im.caption = *caption;
            report.ims.push_back(im);
        } else if (kind == "transcript" || kind == "input") {
            int index = 0;
            if (!SplitFields(body, 1, fields, rest) || !ToInt(fields[0], index) ||
                report.ims.empty() || report.ims.back().index != index) {
                return std::nullopt;
            }
            auto value = Unescape(rest);
            if (!value) {
                return std::nullopt;
            }
            (kind == "transcript" ? report.ims.back().transcript : report.ims.back().input) =
                *value;
        } else if (kind == "event") {
            ReportEvent event;
            if (!SplitFields(body, 2, fields, rest) || !ToInt(fields[1], event.index)) {
                return std::nullopt;
            }
            event.kind = std::string(fields[0]);
            auto value = Unescape(rest);
            if (!value) {
                return std::nullopt;
            }
            event.text = *value;
            report.events.push_back(event);
        } else {
            return std::nullopt;
        }
    }
    if (!ended) {
        return std::nullopt;
    }
    return report;
}

}  // namespace brevanto::wine

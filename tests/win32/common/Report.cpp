#include "common/Report.h"

#include <charconv>

#include "common/Escape.h"

namespace brevanto::wine {
namespace {

// Reads a report line: leading words, then the escaped text that ends it. A missing or
// malformed piece makes ok() false.
class LineReader {
  public:
    explicit LineReader(std::string_view line) : rest_(line) {}

    std::string_view Word() {
        const std::size_t space = rest_.find(' ');
        if (space == std::string_view::npos) {
            ok_ = false;
            return {};
        }
        const std::string_view word = rest_.substr(0, space);
        rest_.remove_prefix(space + 1);
        return word;
    }
    template <typename Int>
    Int Number() {
        const std::string_view word = Word();
        Int value{};
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        ok_ = ok_ && error == std::errc{} && end == word.data() + word.size();
        return value;
    }
    std::string Text() {
        std::optional<std::string> text = Unescape(rest_);
        ok_ = ok_ && text.has_value();
        return text.value_or("");
    }
    bool ok() const { return ok_; }

  private:
    std::string_view rest_;
    bool ok_ = true;
};

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
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view whole = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (whole == "end") {
            return report;
        }
        LineReader line(whole);
        const std::string_view kind = line.Word();
        if (kind == "buddylist") {
            report.buddyList = line.Number<std::int32_t>();
        } else if (kind == "im") {
            ImReport& im = report.ims.emplace_back();
            im.index = line.Number<int>();
            im.hwnd = line.Number<std::int32_t>();
            im.open = line.Word() == "1";
            im.caption = line.Text();
        } else if (kind == "transcript" || kind == "input") {
            const int index = line.Number<int>();
            if (report.ims.empty() || report.ims.back().index != index) {
                return std::nullopt;
            }
            (kind == "transcript" ? report.ims.back().transcript : report.ims.back().input) =
                line.Text();
        } else if (kind == "event") {
            ReportEvent& event = report.events.emplace_back();
            event.kind = std::string(line.Word());
            event.index = line.Number<int>();
            event.text = line.Text();
        } else {
            return std::nullopt;
        }
        if (!line.ok()) {
            return std::nullopt;
        }
    }
    return std::nullopt;  // no "end": the report was cut short
}

}  // namespace brevanto::wine

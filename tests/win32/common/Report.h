#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Texts between the test programs and the fake AIM client: the scenario on the client's
// command line, the report in a file. Bytes that could break a line or a quoted argument
// (control characters, bytes 0x80-0xFF, the backslash, the double quote) travel as \xHH,
// so every text comes back byte for byte.
namespace brevanto::wine {

std::string Escape(std::string_view text);
// nullopt for a malformed escape.
std::optional<std::string> Unescape(std::string_view text);

// A report line: "<kind> <IM window index> <escaped text>".
struct ReportLine {
    std::string kind;
    int index = 0;
    std::string text;
};
std::string FormatLine(const ReportLine& line);

// What the fake client saw and how it ended up, the runner's view of it independent of the
// window calls under test. First each IM window's state: "im" (its handle), "open" (1 or
// 0), "transcript" (the pane's HTML), "input" (the input pane's text); then the events in
// order: "settext" (the input pane was set), "press" (the Send button was released after a
// press), "sent" (a line went out), "close" (the IM window was asked to close).
struct Report {
    std::vector<ReportLine> lines;

    // The text of the first line of that kind for that window; "" when there is none.
    std::string Of(std::string_view kind, int index) const;
    // The window's events, or only those of one kind.
    std::vector<ReportLine> Events(int index, std::string_view kind = {}) const;
};

// nullopt when the text is not a whole report, which ends with the line "end".
std::optional<Report> ParseReport(std::string_view text);

}  // namespace brevanto::wine

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the fake AIM client saw and how it ended up: the runner's independent view of the
// client, read from a file instead of through the window calls under test.
namespace brevanto::wine {

struct ImReport {
    int index = 0;  // order in the scenario, from 0
    std::int32_t hwnd = 0;
    bool open = false;
    std::string caption;
    std::string transcript;  // the transcript pane's HTML
    std::string input;       // the input pane's text
};

// kind: "settext" (the input pane was set), "press" (the Send button was released after a
// press), "sent" (a line went out), "close" (the IM window was asked to close).
struct ReportEvent {
    std::string kind;
    int index = 0;
    std::string text;

    bool operator==(const ReportEvent&) const = default;
};

struct Report {
    std::int32_t buddyList = 0;
    std::vector<ImReport> ims;
    std::vector<ReportEvent> events;

    const ImReport* Im(int index) const;
    std::vector<ReportEvent> EventsOf(int index) const;
};

std::string FormatReport(const Report& report);
// nullopt when the text is not a complete report.
std::optional<Report> ParseReport(std::string_view text);

}  // namespace brevanto::wine

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the test programs and the fake AIM client agree on. The client is started as
//   fakeaim.exe <report file> [<command> <escaped argument>]...
// (the scenario's commands in fakeaim/FakeAim.cpp). Once every window of the scenario
// exists it opens a hidden top-level window of this class captioned with the report file's
// path, which takes the commands below.
namespace brevanto::wine {

inline constexpr char kControlClass[] = "BrevantoFakeAimControl";

// Sent: wParam = the IM window's index in the scenario; raises it to the front.
inline constexpr unsigned kRaiseMessage = 0x8000 + 1;  // WM_APP + 1
// Sent: writes the report file now; returns 1 when it was written.
inline constexpr unsigned kReportMessage = 0x8000 + 2;
// Posted: ends the client, which writes its report on the way out.
inline constexpr unsigned kQuitMessage = 0x8000 + 3;

// How long a client lives at most, so that a runner that dies cannot leave it behind.
inline constexpr unsigned kClientLifetimeMs = 120'000;

// Texts between the test programs and the fake AIM client: the scenario on the client's
// command line, the report in a file. Bytes that could break a line or a quoted argument
// (control characters, bytes 0x80-0xFF, the backslash, the double quote) travel as \xHH,
// so every text comes back byte for byte.

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
// window calls under test. First each IM window's state: "im" (its handle), "transcript"
// (the pane's HTML); then the events in order: "settext" (the input pane was set), "sent" (a
// line went out).
struct Report {
    std::vector<ReportLine> lines;

    // The texts of that kind for that window, in order.
    std::vector<std::string> All(std::string_view kind, int index) const;
    // The first of them; "" when there is none.
    std::string Of(std::string_view kind, int index) const;
};

// nullopt when the text is not a whole report, which ends with the line "end".
std::optional<Report> ParseReport(std::string_view text);

}  // namespace brevanto::wine

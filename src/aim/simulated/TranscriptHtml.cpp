#include "aim/simulated/TranscriptHtml.h"

namespace brevanto::aim::simulated {

namespace {

constexpr std::string_view DocumentStart = R"(<HTML><BODY BGCOLOR="#ffffff">)";
constexpr std::string_view DocumentEnd = "</BODY></HTML>";

std::string TwoDigits(long long value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string FormatTimestamp(long long secondsOfDay) {
    constexpr long long day = 24 * 60 * 60;
    const long long t = ((secondsOfDay % day) + day) % day;
    const long long hour = t / 3600;
    const long long hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(hour12) + ":" + TwoDigits(t / 60 % 60) + ":" + TwoDigits(t % 60) +
           (hour < 12 ? " AM" : " PM");
}

std::string TypedTextToHtml(std::string_view typed) {
    std::string html;
    html.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '\r':
                // CR LF is one line break.
                if (i + 1 < typed.size() && typed[i + 1] == '\n') {
                    ++i;
                }
                html += "<BR>";
                break;
            case '\n':
                html += "<BR>";
                break;
            default:
                html += c;
        }
    }
    return html;
}

std::string TranscriptLine(std::string_view name, std::string_view colour,
                           std::string_view timestamp, std::string_view messageHtml) {
    std::string line;
    line.append(R"(<FONT COLOR=")").append(colour).append(R"("><B>)").append(name);
    line.append("<!-- (").append(timestamp).append(")--></B>:</FONT>");
    line.append(R"(<FONT COLOR="#000000"> )").append(messageHtml).append("</FONT><BR>");
    return line;
}

std::string AppendLine(std::string_view document, std::string_view line) {
    if (document.empty()) {
        return std::string(DocumentStart).append(line).append(DocumentEnd);
    }
    if (document.ends_with(DocumentEnd)) {
        std::string result(document.substr(0, document.size() - DocumentEnd.size()));
        return result.append(line).append(DocumentEnd);
    }
    // A pane whose text was replaced from outside: the line goes at its end.
    return std::string(document).append(line);
}

}  // namespace brevanto::aim::simulated

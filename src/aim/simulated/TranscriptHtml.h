#pragma once

#include <string>
#include <string_view>

// The HTML that AIM keeps in an IM window's transcript pane, one line per message.
namespace brevanto::aim::simulated {

inline constexpr std::string_view BuddyColour = "#ff0000";
inline constexpr std::string_view UserColour = "#0000ff";

// "9:14:02 PM" for 21:14:02; secondsOfDay is taken modulo one day.
std::string FormatTimestamp(long long secondsOfDay);

// What a person typed, as AIM puts it into HTML: &, <, > become references and each line
// break (LF, CR LF or CR) becomes <BR>.
std::string TypedTextToHtml(std::string_view typed);

// One transcript line: the speaker's name in its colour with the time stamp in a comment,
// then the message.
std::string TranscriptLine(std::string_view name, std::string_view colour,
                           std::string_view timestamp, std::string_view messageHtml);

// The pane's document with the line added at the end: an empty pane gets the document
// around it, otherwise the line goes before the closing tags.
std::string AppendLine(std::string_view document, std::string_view line);

}  // namespace brevanto::aim::simulated

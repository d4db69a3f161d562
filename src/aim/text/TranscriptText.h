#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text logic of AIM transcripts: the replacement primitives the whole program uses and
// the conversion of a transcript pane's HTML into "name: message" lines. Pure functions;
// each runs in one pass over its input.
namespace brevanto::modAIM {

// Replaces every occurrence of find, searched without regard to case, by replacement.
// Text taken from a replacement is never searched again. An empty find changes nothing.
std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement);

// Replaces only the first case-insensitive occurrence of find.
std::string ReplaceFirst(std::string_view text, std::string_view find,
                         std::string_view replacement);

// Removes every range from a start marker to an end marker (case-sensitive), taking
// extraLength characters counted from the end marker's first character along with it.
// Ranges that removal joins together are found as well. A start marker with no end
// marker after it stays in the text as it is.
std::string RemoveTagRange(std::string_view text, std::string_view startMarker,
                           std::string_view endMarker, std::int32_t extraLength);

// Turns AIM's transcript HTML into plain lines of the form "name: message", each ended
// by a line feed.
std::string HTMLToText(std::string_view text);

}  // namespace brevanto::modAIM

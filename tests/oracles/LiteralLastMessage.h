#pragma once

#include <string>
#include <string_view>

#include "data/codepage/CodePage.h"

// GetLastMessage as the delete-and-search loop: while the name occurs (case-sensitive),
// keep the transcript and delete the first case-insensitive occurrence of the name; the
// tail is the kept transcript from its first occurrence of the name. Quadratic, and
// wrong where a deletion joins text into a name that never stood there or where
// occurrences overlap; sound otherwise, which is what the differential test relies on.
namespace brevanto::oracles {

// The first case-insensitive occurrence of find deleted, searched in lower-cased copies.
inline std::string LiteralDeleteFirst(std::string text, std::string_view find) {
    const std::size_t at = codepage::ToLower(text).find(codepage::ToLower(find));
    if (at != std::string::npos) {
        text.erase(at, find.size());
    }
    return text;
}

// myScreenName is called once, after the tail is found, as the loop calls the window
// system. An empty name would never end the loop: it gives "" at once.
template <class MyScreenName>
std::string LiteralLastMessage(std::string transcript, const std::string& name,
                               MyScreenName&& myScreenName) {
    if (name.empty()) {
        return {};
    }
    std::string saved;
    while (transcript.find(name) != std::string::npos) {
        saved = transcript;
        transcript = LiteralDeleteFirst(transcript, name);
    }
    const std::size_t first = saved.find(name);
    const std::string tail = first == std::string::npos ? std::string() : saved.substr(first);
    const std::string me = myScreenName();
    // A plain substring test: an empty screen name is found in any non-empty text and in
    // no empty one.
    const bool meOccurs = me.empty() ? !tail.empty() : tail.find(me) != std::string::npos;
    return meOccurs ? std::string(1, '\0') : tail;
}

}  // namespace brevanto::oracles

#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cutting a conversation into the pairs the message table learns from it.
namespace brevanto::data {

struct LearnedPair {
    std::string message;  // trimmed and lower-cased, as the table stores a learned message
    std::string answer;   // trimmed, case kept

    bool operator==(const LearnedPair&) const = default;
};

// Splits a transcript that is one line (its line feeds already replaced by spaces) into
// pairs: each stretch of the buddy's lines followed by a stretch of the user's lines gives
// one pair. buddyLabel and userLabel are the screen names followed by ": ". Labels are found
// case-sensitively but removed without regard to case. When the user spoke first, the text
// before the buddy's first label is skipped; the buddy's lines that the user has not
// answered at the end are not learned. Runs in time linear in the transcript.
std::vector<LearnedPair> SplitConversation(std::string_view transcript, std::string_view buddyLabel,
                                           std::string_view userLabel);

}  // namespace brevanto::data

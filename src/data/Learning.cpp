#include "data/Learning.h"

#include <cstddef>

#include "aim/text/Occurrences.h"
#include "aim/text/TranscriptText.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {

namespace {

constexpr std::size_t kNone = aim::Occurrences::kNone;

}  // namespace

std::vector<LearnedPair> SplitConversation(std::string_view transcript, std::string_view buddyLabel,
                                           std::string_view userLabel) {
    std::vector<LearnedPair> pairs;
    aim::Occurrences buddy(transcript, buddyLabel);
    aim::Occurrences user(transcript, userLabel);

    // The text still to be read is always a tail of the transcript: its start is all the
    // state the split needs.
    std::size_t start = 0;
    if (transcript.starts_with(userLabel)) {
        if (const std::size_t first = buddy.FirstFrom(0); first != kNone) {
            start = first;
        }
    }

    for (;;) {
        const std::size_t userAt = user.FirstFrom(start);
        if (userAt == kNone || userAt == start) {
            break;
        }
        const std::string message =
            modAIM::ReplaceText(transcript.substr(start, userAt - start), buddyLabel, "");
        start = userAt;

        const std::size_t buddyAt = buddy.FirstFrom(start);
        std::string_view answer;
        if (buddyAt != kNone) {
            answer = transcript.substr(start, buddyAt - start);
            start = buddyAt;
        } else {
            // Only the last character stays, which can hold no label: the split ends.
            answer = transcript.substr(start);
            start = transcript.size() - 1;
        }
        const std::string answerText = modAIM::ReplaceText(answer, userLabel, "");
        pairs.push_back({codepage::ToLower(modFileIO::Trim(message)),
                         std::string(modFileIO::Trim(answerText))});
    }
    return pairs;
}

}  // namespace brevanto::data

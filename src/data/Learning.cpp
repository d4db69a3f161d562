#include "data/Learning.h"

#include <cstddef>
#include <cstring>

#include "aim/text/TranscriptText.h"
#include "data/codepage/CodePage.h"

namespace brevanto::data {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Every start position of pattern in text, overlapping ones included, found in one pass
// (Knuth-Morris-Pratt), so that no search rescans text: the split asks for the first
// occurrence at or after positions that only grow.
class Occurrences {
  public:
    Occurrences(std::string_view text, std::string_view pattern)
        : everywhere_(pattern.empty()), textSize_(text.size()) {
        if (pattern.empty() || pattern.size() > text.size()) {
            return;
        }
        std::vector<std::size_t> border(pattern.size(), 0);
        for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
            while (k > 0 && pattern[i] != pattern[k]) {
                k = border[k - 1];
            }
            if (pattern[i] == pattern[k]) {
                ++k;
            }
            border[i] = k;
        }
        for (std::size_t i = 0, k = 0; i < text.size(); ++i) {
            if (k == 0) {
                // Outside a partial match only the pattern's first byte can start one:
                // jump to it.
                const void* next = std::memchr(text.data() + i, pattern[0], text.size() - i);
                if (next == nullptr) {
                    break;
                }
                i = static_cast<std::size_t>(static_cast<const char*>(next) - text.data());
            }
            while (k > 0 && text[i] != pattern[k]) {
                k = border[k - 1];
            }
            if (text[i] == pattern[k]) {
                ++k;
            }
            if (k == pattern.size()) {
                starts_.push_back(i + 1 - k);
                k = border[k - 1];
            }
        }
    }

    // The first occurrence at or after from; from must not decrease between calls.
    std::size_t FirstFrom(std::size_t from) {
        if (everywhere_) {
            // An empty label is found wherever the search starts.
            return from <= textSize_ ? from : kNone;
        }
        while (next_ < starts_.size() && starts_[next_] < from) {
            ++next_;
        }
        return next_ < starts_.size() ? starts_[next_] : kNone;
    }

  private:
    bool everywhere_;
    std::size_t textSize_;
    std::vector<std::size_t> starts_;
    std::size_t next_ = 0;
};

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == kNone) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<LearnedPair> SplitConversation(std::string_view transcript, std::string_view buddyLabel,
                                           std::string_view userLabel) {
    std::vector<LearnedPair> pairs;
    Occurrences buddy(transcript, buddyLabel);
    Occurrences user(transcript, userLabel);

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
        pairs.push_back(
            {codepage::ToLower(TrimSpaces(message)), std::string(TrimSpaces(answerText))});
    }
    return pairs;
}

}  // namespace brevanto::data

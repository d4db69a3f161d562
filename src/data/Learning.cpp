#include "data/Learning.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "aim/text/Occurrences.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {

namespace {

constexpr std::size_t kNone = aim::Occurrences::kNone;

// A label in the transcript: its occurrences in any case, walked forward once, serve both to
// remove the label from the stretches (as ReplaceText does) and, those with the label's exact
// bytes, as the places where stretches begin. Occurrences that cannot overlap are checked
// for exact bytes in linear time in all; a label that can overlap itself gets a search of its
// own for the exact ones. The split asks for positions that never decrease.
class Label {
  public:
    Label(std::string_view transcript, std::string_view label)
        : text_(transcript), label_(label), anyCase_(transcript, label, codepage::LowerTable()) {
        if (anyCase_.CanOverlap()) {
            exact_.emplace(transcript, label);
        }
    }

    // The first occurrence with the label's exact bytes at or after from, or kNone.
    std::size_t ExactFrom(std::size_t from) {
        if (exact_) {
            return exact_->FirstFrom(from);
        }
        std::size_t at = anyCase_.FirstFrom(from);
        while (at != kNone && text_.substr(at, label_.size()) != label_) {
            at = anyCase_.FirstFrom(at + 1);
        }
        return at;
    }

    // Appends text[from, to) without the label: its occurrences in any case, taken left to
    // right without overlap, as ReplaceText(text.substr(from, to - from), label, "") does.
    void AppendWithout(std::size_t from, std::size_t to, std::string& out) {
        std::size_t done = from;
        if (!label_.empty()) {
            for (std::size_t at = anyCase_.FirstFrom(done); at != kNone && at + label_.size() <= to;
                 at = anyCase_.FirstFrom(done)) {
                out.append(text_.data() + done, at - done);
                done = at + label_.size();
            }
        }
        out.append(text_.substr(done, to - done));
    }

  private:
    std::string_view text_;
    std::string_view label_;
    aim::Occurrences anyCase_;
    std::optional<aim::Occurrences> exact_;
};

}  // namespace

std::vector<LearnedPair> SplitConversation(std::string_view transcript, std::string_view buddyLabel,
                                           std::string_view userLabel) {
    std::vector<LearnedPair> pairs;
    Label buddy(transcript, buddyLabel);
    Label user(transcript, userLabel);
    std::string stretch;  // reused for every stretch

    // The text still to be read is always a tail of the transcript: its start is all the
    // state the split needs.
    std::size_t start = 0;
    if (transcript.starts_with(userLabel)) {
        if (const std::size_t first = buddy.ExactFrom(0); first != kNone) {
            start = first;
        }
    }

    for (;;) {
        const std::size_t userAt = user.ExactFrom(start);
        if (userAt == kNone || userAt == start) {
            break;
        }
        stretch.clear();
        buddy.AppendWithout(start, userAt, stretch);
        std::string message = codepage::ToLower(modFileIO::Trim(stretch));

        const std::size_t buddyAt = buddy.ExactFrom(userAt);
        stretch.clear();
        user.AppendWithout(userAt, buddyAt != kNone ? buddyAt : transcript.size(), stretch);
        pairs.push_back({std::move(message), std::string(modFileIO::Trim(stretch))});
        if (buddyAt == kNone) {
            // The answer ran to the end; what would be left, its last character, can hold
            // no label.
            break;
        }
        start = buddyAt;
    }
    return pairs;
}

}  // namespace brevanto::data

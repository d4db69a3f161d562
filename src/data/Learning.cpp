#include "data/Learning.h"

#include <algorithm>
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

    // text[from, to) without the label: its occurrences in any case, taken left to right
    // without overlap, as ReplaceText(text.substr(from, to - from), label, "") does. A view
    // into the text when what is left is all of one piece (a stretch that only begins with
    // the label), else the pieces joined in scratch.
    std::string_view Without(std::size_t from, std::size_t to, std::string& scratch) {
        std::size_t done = from;
        std::size_t at = label_.empty() ? kNone : anyCase_.FirstFrom(done);
        if (at == kNone || at + label_.size() > to) {
            return text_.substr(done, to - done);
        }
        if (at == done) {
            done = at + label_.size();
            at = anyCase_.FirstFrom(done);
            if (at == kNone || at + label_.size() > to) {
                return text_.substr(done, to - done);
            }
        }
        scratch.clear();
        for (; at != kNone && at + label_.size() <= to; at = anyCase_.FirstFrom(done)) {
            scratch.append(text_.data() + done, at - done);
            done = at + label_.size();
        }
        scratch.append(text_.substr(done, to - done));
        return scratch;
    }

  private:
    std::string_view text_;
    std::string_view label_;
    aim::Occurrences anyCase_;
    std::optional<aim::Occurrences> exact_;
};

// Makes room for the pairs that the density of those found in the bytes read so far
// predicts for the whole transcript (a tenth more), between twice and eight times as many as
// there are: a transcript of even density is moved a few times instead of at every doubling.
void Grow(std::vector<LearnedPair>& pairs, std::size_t read, std::size_t size) {
    const std::size_t found = std::max<std::size_t>(pairs.size(), 8);
    const double predicted =
        1.1 * static_cast<double>(found) * static_cast<double>(size) / static_cast<double>(read);
    const double wanted =
        std::clamp(predicted, 2.0 * static_cast<double>(found), 8.0 * static_cast<double>(found));
    pairs.reserve(static_cast<std::size_t>(wanted));
}

}  // namespace

std::vector<LearnedPair> SplitConversation(std::string_view transcript, std::string_view buddyLabel,
                                           std::string_view userLabel) {
    std::vector<LearnedPair> pairs;
    Label buddy(transcript, buddyLabel);
    Label user(transcript, userLabel);
    std::string scratch;  // reused for stretches with labels inside them

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
        if (pairs.size() == pairs.capacity()) {
            Grow(pairs, userAt, transcript.size());
        }
        // Filled in place: a pair's two short strings are not copied again.
        LearnedPair& pair = pairs.emplace_back();
        pair.message = modFileIO::Trim(buddy.Without(start, userAt, scratch));
        codepage::LowerInPlace(pair.message);

        const std::size_t buddyAt = buddy.ExactFrom(userAt);
        pair.answer = modFileIO::Trim(
            user.Without(userAt, buddyAt != kNone ? buddyAt : transcript.size(), scratch));
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

#include "aim/text/Occurrences.h"

namespace brevanto::aim {

Occurrences::Occurrences(std::string_view text, std::string_view pattern, const unsigned char* fold)
    : text_(text), search_(pattern, fold == nullptr ? FoldedSearch::SameCase() : fold) {}

// The search runs only as far as the calls need. A from beyond the bytes read so far lets
// it jump there, since no occurrence before from is wanted any more.
std::size_t Occurrences::FirstFrom(std::size_t from) {
    while (!started_ || (current_ != kNone && current_ < from)) {
        if (cursor_.position < from) {
            cursor_ = {from, 0};
        }
        current_ = search_.Next(text_, cursor_);
        started_ = true;
    }
    return current_;
}

std::size_t Occurrences::Last() const {
    FoldedSearch::Cursor cursor;
    std::size_t last = kNone;
    for (std::size_t at = search_.Next(text_, cursor); at != kNone;
         at = search_.Next(text_, cursor)) {
        last = at;
    }
    return last;
}

}  // namespace brevanto::aim

#include "aim/text/Occurrences.h"

#include <cstring>

namespace brevanto::aim {

Occurrences::Occurrences(std::string_view text, std::string_view pattern)
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
            // Outside a partial match only the pattern's first byte can start one: jump to it.
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

std::size_t Occurrences::FirstFrom(std::size_t from) {
    if (everywhere_) {
        return from <= textSize_ ? from : kNone;
    }
    while (next_ < starts_.size() && starts_[next_] < from) {
        ++next_;
    }
    return next_ < starts_.size() ? starts_[next_] : kNone;
}

std::size_t Occurrences::Last() const {
    if (everywhere_) {
        return textSize_;
    }
    return starts_.empty() ? kNone : starts_.back();
}

}  // namespace brevanto::aim

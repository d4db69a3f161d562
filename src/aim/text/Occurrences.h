#pragma once

#include <cstddef>
#include <string_view>

#include "aim/text/FoldedSearch.h"

namespace brevanto::aim {

// Every start position of a pattern in a text, overlapping ones included, found in one
// forward pass (FoldedSearch), so that searches over a transcript stay linear however the
// pattern repeats itself. Case-sensitive unless a fold table (the code page's lower-case
// table) is given. An empty pattern occurs at every position. The text must outlive this.
class Occurrences {
  public:
    static constexpr std::size_t kNone = std::string_view::npos;

    Occurrences(std::string_view text, std::string_view pattern,
                const unsigned char* fold = nullptr);

    // The first occurrence at or after from, or kNone; from must not decrease between calls.
    std::size_t FirstFrom(std::size_t from);
    // The last occurrence, or kNone.
    std::size_t Last() const;
    // Whether two occurrences can overlap.
    bool CanOverlap() const { return search_.CanOverlap(); }

  private:
    std::string_view text_;
    FoldedSearch search_;
    FoldedSearch::Cursor cursor_;
    std::size_t current_ = kNone;
    bool started_ = false;
};

}  // namespace brevanto::aim

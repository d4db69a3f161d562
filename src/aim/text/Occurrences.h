#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace brevanto::aim {

// Every start position of a pattern in a text, overlapping ones included, found in one
// case-sensitive pass (Knuth-Morris-Pratt, jumping with memchr to the pattern's first byte
// between partial matches), so that searches over a transcript stay linear however the
// pattern repeats itself. An empty pattern occurs at every position.
class Occurrences {
  public:
    static constexpr std::size_t kNone = std::string_view::npos;

    Occurrences(std::string_view text, std::string_view pattern);

    // The first occurrence at or after from, or kNone; from must not decrease between calls.
    std::size_t FirstFrom(std::size_t from);
    // The last occurrence, or kNone.
    std::size_t Last() const;

  private:
    bool everywhere_;
    std::size_t textSize_;
    std::vector<std::size_t> starts_;
    std::size_t next_ = 0;
};

}  // namespace brevanto::aim

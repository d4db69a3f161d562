#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace brevanto::aim {

// Finds a pattern in text after folding both through a 256-entry table (the code page's
// lower-case table for a search without regard to case, or the identity). Knuth-Morris-Pratt
// keeps every search linear however the pattern repeats itself. Outside a partial match it
// skips to the next place where the pattern's first and last byte fit (and its next-to-last),
// sixteen places at a time where their spellings allow (eight otherwise), so that texts
// crowded with the first byte (all "<", say) are passed quickly too.
class FoldedSearch {
  public:
    static constexpr std::size_t kNotFound = std::string_view::npos;

    // fold must live as long as the search.
    FoldedSearch(std::string_view pattern, const unsigned char* fold);

    // The identity table, for searches that respect case.
    static const unsigned char* SameCase();

    std::size_t size() const { return pattern_.size(); }
    // Whether two matches can overlap: the folded pattern ends with one of its beginnings.
    bool CanOverlap() const { return !fallback_.empty() && fallback_.back() > 0; }

    // Position of the first match that starts at or after from, or kNotFound. An empty
    // pattern matches at from itself.
    std::size_t Find(std::string_view text, std::size_t from) const;

    // Where a search through one text stands, so that it can go on from there.
    struct Cursor {
        std::size_t position = 0;  // the next byte to read
        std::size_t matched = 0;   // how much of the pattern the bytes before it match
    };
    // The next match start, overlapping ones included, or kNotFound; moves the cursor past
    // it. An empty pattern matches at every position, the end of the text included.
    std::size_t Next(std::string_view text, Cursor& cursor) const;

  private:
    // The bytes that fold to one pattern byte, each repeated over a word (the same twice
    // for a byte with one spelling). When more than two do, wordWide is false and the test
    // goes byte by byte. Two spellings that differ in one bit only (the case of most
    // letters) are both found by one comparison with that bit set: bit holds it, repeated.
    struct Spellings {
        std::uint64_t first = 0;
        std::uint64_t second = 0;
        std::uint64_t bit = 0;
        bool wordWide = false;
        bool oneBit = false;
    };

    // Eight pattern bytes at offset, each spelling found by one test: a text word w with
    // (w | bits) == wanted there.
    struct Word {
        std::size_t offset = 0;
        std::uint64_t bits = 0;
        std::uint64_t wanted = 0;
    };

    Spellings SpellingsOf(unsigned char folded) const;
    // 0xFF in each of sixteen bytes that is a spelling (needs spellings.oneBit), else 0.
    template <class Vector>
    static Vector Spelled(Vector bytes, const Spellings& spellings) {
        const auto bit = static_cast<unsigned char>(spellings.bit);
        const auto wanted = static_cast<unsigned char>(spellings.first | spellings.bit);
        return reinterpret_cast<Vector>((bytes | bit) == wanted);
    }
    void MakeWords();
    bool WholeAt(const unsigned char* bytes, std::size_t start) const;
    bool Fits(const unsigned char* bytes, std::size_t start) const;
    std::size_t NextStart(const unsigned char* bytes, std::size_t i, std::size_t size) const;

    const unsigned char* fold_;
    std::vector<unsigned char> pattern_;
    std::vector<std::size_t> fallback_;
    Spellings head_;
    Spellings tail_;
    Spellings nextToLast_;  // tested too when the pattern has three bytes or more
    // The whole pattern a word at a time, when it is eight bytes or longer and each of its
    // bytes has at most two spellings differing in one bit; else empty.
    std::vector<Word> words_;
};

}  // namespace brevanto::aim

#include "aim/text/FoldedSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "data/codepage/CodePage.h"

namespace brevanto::aim {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Full;

// Sets the high bit of every zero byte of word, and of no other byte.
std::uint64_t ZeroBytes(std::uint64_t word) {
    return ~(((word & kLows) + kLows) | word | kLows);
}

std::uint64_t LoadWord(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The offset of the flagged byte that comes first in memory.
int FirstFlagged(std::uint64_t flags) {
    if constexpr (std::endian::native == std::endian::little) {
        return std::countr_zero(flags) / 8;
    } else {
        return std::countl_zero(flags) / 8;
    }
}

using Bytes16 = unsigned char __attribute__((vector_size(16)));

Bytes16 Load16(const unsigned char* bytes) {
    Bytes16 vector;
    std::memcpy(&vector, bytes, sizeof vector);
    return vector;
}

// For every folded byte, how many bytes fold to it and the first two of them.
struct SpellingTable {
    std::array<std::array<unsigned char, 2>, 256> bytes{};
    std::array<int, 256> count{};
};

SpellingTable MakeSpellingTable(const unsigned char* fold) {
    SpellingTable table;
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char folded = fold[byte];
        if (table.count[folded] < 2) {
            table.bytes[folded][static_cast<std::size_t>(table.count[folded])] =
                static_cast<unsigned char>(byte);
        }
        ++table.count[folded];
    }
    return table;
}

// Both spellings of folded repeated over a word, or none for a word-wide test when more
// than two bytes fold to it.
std::optional<std::pair<std::uint64_t, std::uint64_t>> WordSpellings(const SpellingTable& table,
                                                                     unsigned char folded) {
    const int count = table.count[folded];
    if (count > 2) {
        return std::nullopt;
    }
    const auto& bytes = table.bytes[folded];
    return std::pair{bytes[0] * kOnes, bytes[static_cast<std::size_t>(count - 1)] * kOnes};
}

constexpr std::array<unsigned char, 256> MakeIdentityTable() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        table[static_cast<std::size_t>(byte)] = static_cast<unsigned char>(byte);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kSameCase = MakeIdentityTable();

}  // namespace

const unsigned char* FoldedSearch::SameCase() {
    return kSameCase.data();
}

FoldedSearch::FoldedSearch(std::string_view pattern, const unsigned char* fold)
    : fold_(fold), pattern_(pattern.size()), fallback_(pattern.size(), 0) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern_[i] = fold_[static_cast<unsigned char>(pattern[i])];
    }
    for (std::size_t i = 1, k = 0; i < pattern_.size(); ++i) {
        while (k > 0 && pattern_[i] != pattern_[k]) {
            k = fallback_[k - 1];
        }
        if (pattern_[i] == pattern_[k]) {
            ++k;
        }
        fallback_[i] = k;
    }
    if (!pattern_.empty()) {
        head_ = SpellingsOf(pattern_.front());
        tail_ = SpellingsOf(pattern_.back());
        if (pattern_.size() >= 3) {
            nextToLast_ = SpellingsOf(pattern_[pattern_.size() - 2]);
        }
        MakeWords();
    }
}

void FoldedSearch::MakeWords() {
    const std::size_t length = pattern_.size();
    if (length < 8 || (fold_ != kSameCase.data() && fold_ != codepage::LowerTable())) {
        return;
    }
    // The last word may overlap the one before it.
    for (std::size_t offset = 0;; offset += 8) {
        offset = std::min(offset, length - 8);
        std::array<unsigned char, 8> bits{};
        std::array<unsigned char, 8> wanted{};
        for (std::size_t k = 0; k < 8; ++k) {
            const Spellings spellings = SpellingsOf(pattern_[offset + k]);
            if (!spellings.oneBit) {
                words_.clear();
                return;
            }
            bits[k] = static_cast<unsigned char>(spellings.bit);
            wanted[k] = static_cast<unsigned char>(spellings.first | spellings.bit);
        }
        words_.push_back({offset, LoadWord(bits.data()), LoadWord(wanted.data())});
        if (offset == length - 8) {
            return;
        }
    }
}

// Whether the whole pattern matches at start; needs words_.
bool FoldedSearch::WholeAt(const unsigned char* bytes, std::size_t start) const {
    for (const Word& word : words_) {
        if ((LoadWord(bytes + start + word.offset) | word.bits) != word.wanted) {
            return false;
        }
    }
    return true;
}

// Searches fold through the code page's lower-case table or the identity; the spellings of
// those are worked out once, not for every search.
FoldedSearch::Spellings FoldedSearch::SpellingsOf(unsigned char folded) const {
    if (fold_ == kSameCase.data()) {
        return {folded * kOnes, folded * kOnes, 0, true, true};
    }
    static const SpellingTable lowerTable = MakeSpellingTable(codepage::LowerTable());
    const auto spellings = fold_ == codepage::LowerTable()
                               ? WordSpellings(lowerTable, folded)
                               : WordSpellings(MakeSpellingTable(fold_), folded);
    if (!spellings) {
        return {};
    }
    const std::uint64_t differ = spellings->first ^ spellings->second;
    return {spellings->first, spellings->second, differ, true,
            std::has_single_bit(differ & 0xFF) || differ == 0};
}

bool FoldedSearch::Fits(const unsigned char* bytes, std::size_t start) const {
    return fold_[bytes[start]] == pattern_.front() &&
           fold_[bytes[start + pattern_.size() - 1]] == pattern_.back();
}

// The first start at or after i where the pattern's first and last byte fit (and, in the
// word-wide test, the next-to-last), or size.
std::size_t FoldedSearch::NextStart(const unsigned char* bytes, std::size_t i,
                                    std::size_t size) const {
    const std::size_t length = pattern_.size();
    if (size < length) {
        return size;
    }
    const std::size_t end = size - length + 1;  // starts lie before end
    if (head_.wordWide && head_.first == head_.second) {
        // memchr is fastest while the first byte is rare; where it crowds, the word-wide
        // test below takes over.
        const int only = static_cast<int>(head_.first & 0xFF);
        while (i < end) {
            const void* hit = std::memchr(bytes + i, only, end - i);
            if (hit == nullptr) {
                return size;
            }
            const auto at =
                static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - bytes);
            if (Fits(bytes, at)) {
                return at;
            }
            const bool crowded = at - i < 16;
            i = at + 1;
            if (crowded) {
                break;
            }
        }
    }
    if (head_.oneBit && tail_.oneBit) {
        // Sixteen places at a time, through the compiler's vector types (SSE2 on x86-64).
        const Spellings& middle = nextToLast_.oneBit ? nextToLast_ : head_;
        const std::size_t middleAt = nextToLast_.oneBit ? length - 2 : 0;
        for (; i + 16 <= end; i += 16) {
            const Bytes16 flags = Spelled(Load16(bytes + i), head_) &
                                  Spelled(Load16(bytes + i + length - 1), tail_) &
                                  Spelled(Load16(bytes + i + middleAt), middle);
            std::uint64_t halves[2];
            std::memcpy(halves, &flags, sizeof halves);
            if ((halves[0] | halves[1]) != 0) {
                return i + static_cast<std::size_t>(halves[0] != 0 ? FirstFlagged(halves[0])
                                                                   : 8 + FirstFlagged(halves[1]));
            }
        }
    }
    // The rest eight places at a time, the next-to-last byte tested too where it can be:
    // where the first and last bytes are common (names ending in ": " after runs of
    // letters) it saves stopping at each pair of them.
    if (head_.oneBit && tail_.oneBit && nextToLast_.oneBit) {
        const std::uint64_t headWanted = head_.first | head_.bit;
        const std::uint64_t tailWanted = tail_.first | tail_.bit;
        const std::uint64_t nextToLastWanted = nextToLast_.first | nextToLast_.bit;
        for (; i + 8 <= end; i += 8) {
            const std::uint64_t first = LoadWord(bytes + i) | head_.bit;
            const std::uint64_t last = LoadWord(bytes + i + length - 1) | tail_.bit;
            const std::uint64_t nextToLast = LoadWord(bytes + i + length - 2) | nextToLast_.bit;
            const std::uint64_t flags = ZeroBytes(first ^ headWanted) &
                                        ZeroBytes(last ^ tailWanted) &
                                        ZeroBytes(nextToLast ^ nextToLastWanted);
            if (flags != 0) {
                return i + static_cast<std::size_t>(FirstFlagged(flags));
            }
        }
    } else if (head_.oneBit && tail_.oneBit) {
        const std::uint64_t headWanted = head_.first | head_.bit;
        const std::uint64_t tailWanted = tail_.first | tail_.bit;
        for (; i + 8 <= end; i += 8) {
            const std::uint64_t first = LoadWord(bytes + i) | head_.bit;
            const std::uint64_t last = LoadWord(bytes + i + length - 1) | tail_.bit;
            const std::uint64_t flags =
                ZeroBytes(first ^ headWanted) & ZeroBytes(last ^ tailWanted);
            if (flags != 0) {
                return i + static_cast<std::size_t>(FirstFlagged(flags));
            }
        }
    } else if (head_.wordWide && tail_.wordWide) {
        for (; i + 8 <= end; i += 8) {
            const std::uint64_t first = LoadWord(bytes + i);
            const std::uint64_t last = LoadWord(bytes + i + length - 1);
            const std::uint64_t flags =
                (ZeroBytes(first ^ head_.first) | ZeroBytes(first ^ head_.second)) &
                (ZeroBytes(last ^ tail_.first) | ZeroBytes(last ^ tail_.second));
            if (flags != 0) {
                return i + static_cast<std::size_t>(FirstFlagged(flags));
            }
        }
    }
    for (; i < end; ++i) {
        if (Fits(bytes, i)) {
            return i;
        }
    }
    return size;
}

// Knuth-Morris-Pratt from the cursor on; outside a partial match it jumps to the next start
// that fits.
std::size_t FoldedSearch::Next(std::string_view text, Cursor& cursor) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const std::size_t length = pattern_.size();
    if (length == 0) {
        return cursor.position <= size ? cursor.position++ : kNotFound;
    }
    std::size_t matched = cursor.matched;
    for (std::size_t i = cursor.position; i < size; ++i) {
        if (matched == 0) {
            i = NextStart(bytes, i, size);
            if (i == size) {
                break;
            }
            if (!words_.empty() && WholeAt(bytes, i)) {
                cursor = {i + length, fallback_[length - 1]};
                return i;
            }
            // The bytes between the first and the last are compared straight away; at a
            // mismatch the search goes on as if they had been read one by one.
            std::size_t j = 1;
            while (j < length && fold_[bytes[i + j]] == pattern_[j]) {
                ++j;
            }
            i += j - 1;
            matched = j;
        } else {
            const unsigned char c = fold_[bytes[i]];
            while (matched > 0 && pattern_[matched] != c) {
                matched = fallback_[matched - 1];
            }
            if (pattern_[matched] == c) {
                ++matched;
            }
        }
        if (matched == length) {
            cursor = {i + 1, fallback_[length - 1]};
            return i + 1 - length;
        }
    }
    cursor = {size + 1, 0};
    return kNotFound;
}

std::size_t FoldedSearch::Find(std::string_view text, std::size_t from) const {
    Cursor cursor{from, 0};
    return Next(text, cursor);
}

}  // namespace brevanto::aim

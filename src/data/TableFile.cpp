#include "data/TableFile.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string_view>
#include <unordered_map>

#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::modFileIO {

namespace {

// Polynomial hashes modulo the prime 2^61 - 1, with a base drawn for each run: the hash of
// every prefix of a line falls out of one pass, and no fixed input can be built to make
// many prefixes collide.
__extension__ typedef unsigned __int128 Wide;
constexpr std::uint64_t kPrime = (std::uint64_t{1} << 61) - 1;

class PrefixHasher {
  public:
    PrefixHasher() {
        std::random_device seed;
        const std::uint64_t drawn = (std::uint64_t{seed()} << 32) ^ seed();
        base_ = 256 + drawn % (kPrime - 512);
    }

    std::uint64_t Step(std::uint64_t hash, char byte) const {
        const Wide product = static_cast<Wide>(hash) * base_ + static_cast<unsigned char>(byte) + 1;
        std::uint64_t reduced = static_cast<std::uint64_t>(product & kPrime) +
                                static_cast<std::uint64_t>(product >> 61);
        reduced = (reduced & kPrime) + (reduced >> 61);
        return reduced >= kPrime ? reduced - kPrime : reduced;
    }

    std::uint64_t Of(std::string_view text) const {
        std::uint64_t hash = 0;
        for (char byte : text) {
            hash = Step(hash, byte);
        }
        return hash;
    }

  private:
    std::uint64_t base_;
};

// A pair with message m replaces the first line whose lower-cased text begins with m and
// "=". Only the pairs' own messages are ever looked for, so a line is indexed under those of
// its prefixes that end right before an "=" and have the hash and length of some message:
// at most one entry per "=" of the line, each found by one hash step per byte. Each message
// hash keeps a min-heap of the lines that have it; a line that is replaced gets a new
// generation, which makes its old entries stale, and stale entries are dropped when they
// come to the top. A hash can be shared by different texts, so the line found is checked
// byte for byte, and a failed check falls back to the plain scan.
class PrefixIndex {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    explicit PrefixIndex(const std::vector<std::string>& messages) {
        for (const std::string& message : messages) {
            heaps_.try_emplace(hasher_.Of(message));
            longest_ = std::max(longest_, message.size());
        }
        isMessageLength_.resize(longest_ + 1);
        for (const std::string& message : messages) {
            isMessageLength_[message.size()] = true;
        }
    }

    // The first of lines that begins, lower-cased, with key (a message and "="), or npos.
    std::size_t FirstWith(const std::vector<std::string>& lines, std::string_view key) {
        std::vector<Entry>& heap = heaps_.at(hasher_.Of(key.substr(0, key.size() - 1)));
        while (!heap.empty()) {
            const Entry top = heap.front();
            if (top.generation == generations_[top.line]) {
                if (codepage::StartsLowered(lines[top.line], key)) {
                    return top.line;
                }
                return Scan(lines, key);
            }
            std::pop_heap(heap.begin(), heap.end(), Later);
            heap.pop_back();
        }
        return npos;
    }

    // Indexes line (new, or replacing the one before at that index).
    void Add(std::size_t line_index, std::string_view line) {
        if (line_index == generations_.size()) {
            generations_.push_back(0);
        } else {
            ++generations_[line_index];
        }
        const Entry entry{static_cast<std::uint32_t>(line_index), generations_[line_index]};
        const std::string lowered = codepage::ToLower(line.substr(0, longest_ + 1));
        std::uint64_t hash = 0;
        for (std::size_t i = 0; i < lowered.size(); ++i) {
            if (lowered[i] == '=' && isMessageLength_[i]) {
                const auto found = heaps_.find(hash);
                if (found != heaps_.end()) {
                    found->second.push_back(entry);
                    std::push_heap(found->second.begin(), found->second.end(), Later);
                }
            }
            hash = hasher_.Step(hash, lowered[i]);
        }
    }

  private:
    struct Entry {
        std::uint32_t line;
        std::uint32_t generation;
    };

    // Orders the heaps so that the smallest line index is on top.
    static bool Later(const Entry& a, const Entry& b) { return a.line > b.line; }

    static std::size_t Scan(const std::vector<std::string>& lines, std::string_view key) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (codepage::StartsLowered(lines[i], key)) {
                return i;
            }
        }
        return npos;
    }

    PrefixHasher hasher_;
    std::size_t longest_ = 0;
    std::vector<bool> isMessageLength_;
    std::unordered_map<std::uint64_t, std::vector<Entry>> heaps_;
    std::vector<std::uint32_t> generations_;
};

}  // namespace

std::vector<std::string> TableLines(std::span<const TablePair> pairs) {
    std::vector<std::string> messages;
    messages.reserve(pairs.size());
    for (const TablePair& pair : pairs) {
        messages.push_back(StoredMessage(pair.message));
    }
    PrefixIndex index(messages);
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        const std::size_t keySize = messages[p].size() + 1;
        std::string line = std::move(messages[p]);
        line += '=';
        line.append(Trim(pairs[p].response));
        std::size_t target = index.FirstWith(lines, std::string_view(line).substr(0, keySize));
        if (target == PrefixIndex::npos) {
            target = lines.size();
            lines.push_back(std::move(line));
        } else {
            lines[target] = std::move(line);
        }
        index.Add(target, lines[target]);
    }
    return lines;
}

}  // namespace brevanto::modFileIO

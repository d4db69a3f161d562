#include "data/TableFile.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string_view>
#include <unordered_map>

#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::modFileIO {

namespace {

// FNV-1a, fed byte by byte, so the hash of every prefix of a line falls out of one pass.
constexpr std::uint64_t kHashStart = 0xcbf29ce484222325ull;
constexpr std::uint64_t kHashFactor = 0x100000001b3ull;

std::uint64_t HashStep(std::uint64_t hash, char byte) {
    return (hash ^ static_cast<unsigned char>(byte)) * kHashFactor;
}

std::uint64_t HashOf(std::string_view text) {
    std::uint64_t hash = kHashStart;
    for (char byte : text) {
        hash = HashStep(hash, byte);
    }
    return hash;
}

struct Prefix {
    std::string_view text;
    std::uint64_t hash;

    bool operator==(const Prefix& other) const { return text == other.text; }
};

struct PrefixHash {
    std::size_t operator()(const Prefix& prefix) const {
        return static_cast<std::size_t>(prefix.hash);
    }
};

// A pair with message m replaces the first line whose lower-cased text begins with m and
// "=". So every lower-cased line is indexed under each of its prefixes that end right
// before an "=", and each prefix knows the lines that have it, smallest index first.
class PrefixIndex {
  public:
    // The first line that has message followed by "=", or npos.
    std::size_t FirstWith(std::string_view message) const {
        const auto found = lines_with_.find(Prefix{message, HashOf(message)});
        return found == lines_with_.end() ? npos : *found->second.begin();
    }

    void Add(std::size_t line_index, std::string_view line) {
        // The lower-cased copies are kept for the whole run: the index's keys point into
        // them, including keys that other lines still share after this one changes.
        lowered_.push_back(codepage::ToLower(line));
        const std::string_view lowered = lowered_.back();
        if (line_index >= lowered_of_.size()) {
            lowered_of_.resize(line_index + 1);
        }
        lowered_of_[line_index] = lowered;
        ForEachPrefix(lowered,
                      [&](const Prefix& prefix) { lines_with_[prefix].insert(line_index); });
    }

    void Remove(std::size_t line_index) {
        ForEachPrefix(lowered_of_[line_index], [&](const Prefix& prefix) {
            const auto found = lines_with_.find(prefix);
            found->second.erase(line_index);
            if (found->second.empty()) {
                lines_with_.erase(found);
            }
        });
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  private:
    template <class Visit>
    static void ForEachPrefix(std::string_view lowered, Visit visit) {
        std::uint64_t hash = kHashStart;
        for (std::size_t i = 0; i < lowered.size(); ++i) {
            if (lowered[i] == '=') {
                visit(Prefix{lowered.substr(0, i), hash});
            }
            hash = HashStep(hash, lowered[i]);
        }
    }

    std::deque<std::string> lowered_;
    std::vector<std::string_view> lowered_of_;
    std::unordered_map<Prefix, std::set<std::size_t>, PrefixHash> lines_with_;
};

}  // namespace

std::vector<std::string> TableLines(std::span<const TablePair> pairs) {
    std::vector<std::string> lines;
    PrefixIndex index;
    for (const TablePair& pair : pairs) {
        std::string message = StoredMessage(pair.message);
        std::string line = message + '=';
        line.append(Trim(pair.response));
        std::size_t target = index.FirstWith(message);
        if (target == PrefixIndex::npos) {
            target = lines.size();
            lines.push_back(std::move(line));
        } else {
            index.Remove(target);
            lines[target] = std::move(line);
        }
        index.Add(target, lines[target]);
    }
    return lines;
}

}  // namespace brevanto::modFileIO

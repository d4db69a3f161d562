// Line splitting and joining of the whole input against the character-by-character reader
// and writer. Then StoreEntry and SortLines on the file's lines against the literal SaveEntry
// and the exchange sort, and SortedContent against reading, sorting and writing literally.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "Differential.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

namespace {

// The exchange sort is quadratic; the file it was written for held at most 1001 lines.
constexpr std::size_t kMaxSortedLines = 1001;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevanto;
    const std::string whole(reinterpret_cast<const char*>(data), size);
    const auto lines = modFileIO::SplitLines(whole);
    fuzz::RequireSame("SplitLines", fuzz::ShownLines(lines),
                      fuzz::ShownLines(oracle::LiteralReadLines(whole)));
    const std::string joined = modFileIO::JoinLines(lines);
    fuzz::RequireSame("JoinLines", joined, oracle::LiteralWriteLines(lines));
    fuzz::RequireSame("SplitLines of JoinLines", fuzz::ShownLines(modFileIO::SplitLines(joined)),
                      fuzz::ShownLines(lines));

    FuzzedDataProvider input(data, size);
    const std::string message = input.ConsumeRandomLengthString(24);
    const std::string response = input.ConsumeRandomLengthString(24);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::vector<std::string> fileLines = oracle::LiteralReadLines(bytes);

    std::vector<std::string> fast = fileLines;
    std::vector<std::string> literal = fileLines;
    modFileIO::StoreEntry(fast, message, response);
    oracle::LiteralSaveEntry(literal, message, response);
    fuzz::RequireSame("StoreEntry", fuzz::ShownLines(fast), fuzz::ShownLines(literal));

    if (fast.size() <= kMaxSortedLines) {
        modFileIO::SortLines(fast);
        fuzz::RequireSame("SortLines", fuzz::ShownLines(fast),
                          fuzz::ShownLines(oracle::LiteralSortFile(literal)));
    }
    if (fileLines.size() <= kMaxSortedLines) {
        fuzz::RequireSame("SortedContent", modFileIO::SortedContent(bytes),
                          oracle::LiteralWriteLines(oracle::LiteralSortFile(fileLines)));
    }
    return 0;
}

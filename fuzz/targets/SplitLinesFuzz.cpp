// Line splitting and joining of the data file against the character-by-character
// reader and writer; and joined lines read back as the same lines.
#include <string>
#include <vector>

#include "Differential.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevanto;
    if (size > fuzz::kMaxInputBytes) {
        return -1;
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const auto lines = modFileIO::SplitLines(bytes);
    fuzz::RequireSame("SplitLines", fuzz::ShownLines(lines),
                      fuzz::ShownLines(oracle::LiteralReadLines(bytes)));

    const std::string joined = modFileIO::JoinLines(lines);
    fuzz::RequireSame("JoinLines", joined, oracle::LiteralWriteLines(lines));
    fuzz::RequireSame("SplitLines of JoinLines", fuzz::ShownLines(modFileIO::SplitLines(joined)),
                      fuzz::ShownLines(lines));
    return 0;
}

// The table writer, built in memory in one pass, against storing the rows one by one
// into an emptied file through the literal SaveEntry.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <utility>
#include <vector>

#include "Differential.h"
#include "data/TableFile.h"
#include "oracles/LiteralFileIO.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevanto;
    FuzzedDataProvider input(data, size);
    std::vector<modFileIO::TablePair> pairs;
    std::vector<std::pair<std::string, std::string>> rows;
    while (input.remaining_bytes() > 0) {
        modFileIO::TablePair pair;
        pair.message = input.ConsumeRandomLengthString(24);
        pair.response = input.ConsumeRandomLengthString(24);
        rows.emplace_back(pair.message, pair.response);
        pairs.push_back(std::move(pair));
    }

    fuzz::RequireSame("TableLines", fuzz::ShownLines(modFileIO::TableLines(pairs)),
                      fuzz::ShownLines(oracle::LiteralSaveRows(rows)));
    return 0;
}

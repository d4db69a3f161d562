// The lookup of GetEntry and the table LoadGrid fills, both on the file's bytes, against
// the literal line-by-line reading. The first argument is the message asked for, the
// rest the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "Differential.h"
#include "data/MessageTable.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

namespace {

// Rows, current cell and every cell's text.
std::string Shown(const brevanto::data::MessageTable& table) {
    std::string shown = std::to_string(table.Rows());
    shown += " rows, at ";
    shown += std::to_string(table.Row());
    shown += ',';
    shown += std::to_string(table.Col());
    std::vector<std::string> cells;
    for (int row = 0; row < table.Rows(); ++row) {
        cells.push_back(table.Cell(row, 0));
        cells.push_back(table.Cell(row, 1));
    }
    return shown + brevanto::fuzz::ShownLines(cells);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevanto;
    FuzzedDataProvider input(data, size);
    const std::string message = input.ConsumeRandomLengthString(32);
    // Some inputs start from a table that already has rows, to see that none survive.
    const int oldRows = input.ConsumeIntegralInRange(0, 3);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    fuzz::RequireSame("FindEntry", modFileIO::FindEntry(bytes, message),
                      oracle::LiteralGetEntry(bytes, message));

    data::MessageTable fast;
    data::MessageTable literal;
    for (data::MessageTable* table : {&fast, &literal}) {
        table->SetRows(oldRows);
        for (int row = 0; row < oldRows; ++row) {
            table->SetCell(row, 0, "old");
        }
    }
    modFileIO::FillTable(bytes, fast);
    oracle::LiteralLoadGrid(bytes, literal);
    fuzz::RequireSame("FillTable", Shown(fast), Shown(literal));
    return 0;
}

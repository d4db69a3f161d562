#include "data/EntryRow.h"

#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {

std::string LookupKey(std::string_view message) {
    return std::string(modFileIO::Trim(codepage::ToLower(message)));
}

std::optional<EntryMatch> FindEntryRow(std::string_view bytes, std::string_view key) {
    int row = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        // A carriage return, a line feed, or the two together end a line.
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            if (equals == key.size() && codepage::StartsLowered(line, key)) {
                return EntryMatch{row, std::string(line),
                                  std::string(modFileIO::Trim(line.substr(equals + 1)))};
            }
            ++row;
        }
        start = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() &&
            bytes[start] == '\n') {
            ++start;
        }
    }
    return std::nullopt;
}

}  // namespace brevanto::data

#pragma once

#include <optional>
#include <string>
#include <string_view>

// Which entry of the data file answers a message, and where it stands: the lookup that
// GetEntry makes, told with the entry's row, so the user can be shown why a reply was chosen.
namespace brevanto::data {

struct EntryMatch {
    int row = 0;           // among the file's entry lines (lines with "="), from 0: the grid row
    std::string line;      // the whole entry line as it stands in the file
    std::string response;  // trimmed, as GetEntry returns it; "" for an empty response
};

// The key a message is looked up by: lower-cased, then trimmed of spaces.
std::string LookupKey(std::string_view message);

// The first entry whose message part, lower-cased, equals the key; none without one. The
// response is the one modFileIO::FindEntry returns for the same bytes and message.
std::optional<EntryMatch> FindEntryRow(std::string_view bytes, std::string_view key);

}  // namespace brevanto::data

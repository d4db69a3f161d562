#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/FileError.h"
#include "data/FileOps.h"

// Which entry of the data file answers a message, and where it stands: the lookup that
// GetEntry makes, told with the entry's row, so the user can be shown why a reply was chosen.
namespace brevanto::data {

struct EntryMatch {
    int row = 0;           // among the file's entry lines (lines with "="), from 0: the grid row
    std::string line;      // the whole entry line as it stands in the file
    std::string response;  // trimmed, as GetEntry returns it; "" for an empty response

    bool operator==(const EntryMatch&) const = default;
};

// The key a message is looked up by: lower-cased, then trimmed of spaces.
std::string LookupKey(std::string_view message);

// Looks for the first entry whose message part, lower-cased, equals the key, in the file's
// bytes fed piece by piece in order, cut anywhere: a large file is searched without being
// held whole, and the search ends at the first match. Lines end as modFileIO reads them.
class EntryScanner {
  public:
    explicit EntryScanner(std::string_view key) : key_(key) {}

    // False once the entry is found: the rest of the file is not needed.
    bool Feed(std::string_view bytes);
    // The file ended; its last line may have had no line end.
    void Finish();
    const std::optional<EntryMatch>& Match() const { return match_; }

  private:
    void Line(std::string_view line);
    bool LastByteFits(char byte) const;

    std::string key_;
    std::string partial_;  // a line begun in an earlier piece
    int row_ = 0;
    std::optional<EntryMatch> match_;
};

// The response is the one modFileIO::FindEntry returns for the same bytes and message.
std::optional<EntryMatch> FindEntryRow(std::string_view bytes, std::string_view key);

// The same on the file, read piece by piece; an unreadable file is an error.
FileResult<std::optional<EntryMatch>> FindEntryRowInFile(FileOps& ops,
                                                         const std::filesystem::path& path,
                                                         std::string_view key);

}  // namespace brevanto::data

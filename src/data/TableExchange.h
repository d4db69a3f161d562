#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/MessageTable.h"
#include "data/Progress.h"

// Moving the message table to and from other files: a data.dat-style file (ANSI,
// "message=response" lines) or CSV (two columns, message and response, an optional
// "Message,Response" header row). CSV is read as UTF-8 when it is valid UTF-8 or starts with
// a byte order mark, else as ANSI, and is written as UTF-8 with a byte order mark, which
// spreadsheets need to tell it from ANSI.
namespace brevanto::data {

enum class ExchangeFormat { DataFile, Csv };

// A name ending in ".csv", in any case, is CSV; any other a data.dat-style file.
ExchangeFormat FormatOf(const std::filesystem::path& path);

struct ImportReport {
    int added = 0;
    int kept = 0;              // the message was in the table already, or earlier in the file
    int skippedEquals = 0;     // "=" in the message would split it when the file is read
    int skippedCodePage = 0;   // characters the code page cannot hold
    int skippedNoEquals = 0;   // a data.dat-style line without "="
    int skippedNoMessage = 0;  // a response without a message

    int Skipped() const {
        return skippedEquals + skippedCodePage + skippedNoEquals + skippedNoMessage;
    }
    bool operator==(const ImportReport&) const = default;
};

struct ImportPair {
    std::string message;  // ANSI
    std::string response;
};

// The pairs a file's bytes hold, in file order; those that cannot be stored are counted in
// report and left out, and blank records are passed over. Line breaks inside a CSV field
// become spaces, as they do in incoming messages, since a data file line cannot hold them.
// Stops early, with what it has, when progress is cancelled.
std::vector<ImportPair> ReadImportPairs(std::string_view bytes, ExchangeFormat format,
                                        ImportReport& report, Progress* progress = nullptr);

// Appends the pairs whose message is not in the table yet; the table's own response wins.
// Messages compare as stored (lower-cased, trimmed) after key, which removes what the data
// file's keys leave out. The first added row becomes the current one. When progress is
// cancelled the table is left as it was.
void MergePairs(MessageTable& table, std::vector<ImportPair> pairs, ImportReport& report,
                const std::function<std::string(std::string)>& key = {},
                Progress* progress = nullptr);

// The table as CSV: byte order mark, header row, one record per row, CR LF line ends.
// Stops early, with what it has, when progress is cancelled.
std::string CsvContent(const MessageTable& table, Progress* progress = nullptr);

}  // namespace brevanto::data

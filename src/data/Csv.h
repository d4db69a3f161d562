#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Progress.h"

// Comma-separated values as spreadsheets write them: records end with CR LF (a lone CR or
// LF is read as an end too), a field in double quotes may hold commas, line breaks and
// doubled quotes. The bytes are passed through as they are; the caller chooses the encoding.
namespace brevanto::data {

using CsvRecord = std::vector<std::string>;

// Every record of the text; an empty last line does not count as a record. A quote that is
// never closed takes the rest of the text into its field, so nothing is dropped. Nothing
// when progress was cancelled.
std::vector<CsvRecord> ParseCsv(std::string_view text, Progress* progress = nullptr);

// One field as it must be written: quoted, with its quotes doubled, when it holds a comma,
// a quote, a line break or leading or trailing spaces; else as it is.
std::string CsvField(std::string_view field);

}  // namespace brevanto::data

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/FileError.h"
#include "data/MessageTable.h"

// The message data file, "data.dat": ANSI text, one "message=response" entry per line,
// lines ended by CR LF. Every rewrite replaces the file crash-safely: a failure leaves the
// old file byte for byte as it was.
namespace brevanto::modFileIO {

using data::FileResult;
using data::FileStatus;
using data::MessageTable;

// Splits file bytes into lines: CR LF or a lone CR ends a line, a bare LF is text, and a
// last line without an ending still counts. An empty file has no lines.
std::vector<std::string> SplitLines(std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The line SaveEntry writes for a pair: message lower-cased and trimmed (" " when empty),
// "=", response trimmed.
std::string EntryLine(std::string_view message, std::string_view response);

// Stores one pair in lines: replaces the first line that begins with the normalised
// message and "=", else appends. The in-memory step of SaveEntry.
void StoreEntry(std::vector<std::string>& lines, std::string_view message,
                std::string_view response);

// The ascending, duplicate-free order of SortFile, in memory.
void SortLines(std::vector<std::string>& lines);

FileStatus SaveEntry(std::string_view message, std::string_view response,
                     const std::filesystem::path& path);
// The stored response ("" without an entry); an unreadable file is an error and no entry.
FileResult<std::string> GetEntry(std::string_view message, const std::filesystem::path& path);
FileStatus SortFile(const std::filesystem::path& path);
// Replaces the table's contents by the file's entries. On a read error the table is left
// with no rows.
FileStatus LoadGrid(const std::filesystem::path& path, MessageTable& grid);

// Replaces the file by the given lines in one crash-safe write.
FileStatus WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace brevanto::modFileIO

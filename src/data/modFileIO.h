#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/FileError.h"
#include "data/FileOps.h"
#include "data/MessageTable.h"

// The message data file, "data.dat": ANSI text, one "message=response" entry per line,
// lines ended by CR LF (a lone CR or LF is read as a line end too). Every rewrite replaces the file
// crash-safely: a failure leaves the old file byte for byte as it was.
//
// Each file routine comes twice: on the system's files, and on a given file layer so that
// tests can make any single system call fail.
namespace brevanto::modFileIO {

using data::FileOps;
using data::FileResult;
using data::FileStatus;
using data::MessageTable;

// Removes leading and trailing spaces (code 32 only; tabs and other white space stay).
std::string_view Trim(std::string_view text);

// Splits file bytes into lines: CR LF, a lone CR or a lone LF ends a line, and a last line
// without an ending still counts. An empty file has no lines.
std::vector<std::string> SplitLines(std::string_view bytes);

// Joins lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The message as SaveEntry stores it: lower-cased and trimmed, " " when nothing is left.
std::string StoredMessage(std::string_view message);

// The line SaveEntry writes for a pair: message lower-cased and trimmed (" " when empty),
// "=", response trimmed.
std::string EntryLine(std::string_view message, std::string_view response);

// Stores one pair in lines: replaces the first line that begins with the normalised
// message and "=", else appends. The in-memory step of SaveEntry.
void StoreEntry(std::vector<std::string>& lines, std::string_view message,
                std::string_view response);

// The ascending, duplicate-free order of SortFile, in memory. Lines compare as unsigned
// bytes, and a line that is a prefix of another comes first.
void SortLines(std::vector<std::string>& lines);

// The in-memory step of GetEntry on the file's bytes: the trimmed response of the first
// entry whose message part, lower-cased, equals the message lower-cased and trimmed; ""
// without one.
std::string FindEntry(std::string_view bytes, std::string_view message);

// The in-memory step of LoadGrid on the file's bytes.
void FillTable(std::string_view bytes, MessageTable& grid);

// The sorted, duplicate-free content that SortFile writes for the given file bytes.
std::string SortedContent(std::string_view bytes);

// Creates an empty data file when none exists, leaving an existing one as it is.
FileStatus CreateIfMissing(const std::filesystem::path& path);
FileStatus CreateIfMissing(const std::filesystem::path& path, FileOps& ops);

// Reads the file's lines.
FileResult<std::vector<std::string>> ReadLines(const std::filesystem::path& path);
FileResult<std::vector<std::string>> ReadLines(const std::filesystem::path& path, FileOps& ops);

// An unreadable or missing file is an error and leaves the file as it was.
FileStatus SaveEntry(std::string_view message, std::string_view response,
                     const std::filesystem::path& path);
FileStatus SaveEntry(std::string_view message, std::string_view response,
                     const std::filesystem::path& path, FileOps& ops);
// The stored response ("" without an entry); an unreadable file is an error and no entry.
FileResult<std::string> GetEntry(std::string_view message, const std::filesystem::path& path);
FileResult<std::string> GetEntry(std::string_view message, const std::filesystem::path& path,
                                 FileOps& ops);
// A file without lines stays empty.
FileStatus SortFile(const std::filesystem::path& path);
FileStatus SortFile(const std::filesystem::path& path, FileOps& ops);
// Replaces the table's contents by the file's entries. On a read error the table is left
// as it was, so a failing file never wipes what the user sees.
FileStatus LoadGrid(const std::filesystem::path& path, MessageTable& grid);
FileStatus LoadGrid(const std::filesystem::path& path, MessageTable& grid, FileOps& ops);

// Replaces the file by the given lines in one crash-safe write.
FileStatus WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines);
FileStatus WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                      FileOps& ops);

}  // namespace brevanto::modFileIO

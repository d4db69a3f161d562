#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "data/FileError.h"
#include "data/FileOps.h"

// Whole-file reading and crash-safe replacement on top of the file layer.
namespace brevanto::data {

// The path as the user should see it in a message: in the code page, like every text the
// windows show (a character the code page lacks becomes "?").
std::string DisplayPath(const std::filesystem::path& path);

// What path names now, through links; kind Missing when nothing is there. A path that
// cannot be inspected is an error, and so is a folder or a special file (a FIFO, a
// device): Brevanto neither reads nor replaces those.
FileResult<FileInfo> InspectFile(FileOps& ops, const std::filesystem::path& path);

// Reads the whole file in one go.
FileResult<std::string> ReadWholeFile(FileOps& ops, const std::filesystem::path& path);

// Creates an empty file when none exists; an existing file is left as it is.
FileStatus CreateIfMissing(FileOps& ops, const std::filesystem::path& path);

// Replaces the file's content by bytes so that a crash or failure at any point leaves either
// the old file or the new one, never a mix: a temporary file in the same folder is written,
// synced and renamed over the target, and the folder is synced. On a failure before the
// rename the old file is untouched and the temporary file is removed. A failure to sync the
// folder after the rename is reported too, though the new content is then already in place.
// A symbolic link stays: its target is replaced, through a temporary file in the target's
// folder. The new file keeps the old one's permissions. A file the user may not write, a
// folder and a special file are refused and left as they are.
FileStatus ReplaceFile(FileOps& ops, const std::filesystem::path& path, std::string_view bytes);

// Removes the temporary files that replacements of this file (the link's target, for a
// link) cut short by a crash or a kill
// left in its folder. Only names of the exact form ReplaceFile gives are touched; a file
// that cannot be removed is left where it is.
void RemoveLeftoverTemporaries(FileOps& ops, const std::filesystem::path& path);

}  // namespace brevanto::data

#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "data/FileError.h"
#include "data/FileOps.h"

// Conversations kept on disk: one text file per buddy in a "logs" folder beside the data
// file, each logged conversation appended to it with the date and time.
namespace brevanto::data {

// A file name for a screen name that is safe on every system and never shared by two names,
// even on a file system that ignores case: small letters, digits, "-" and inner spaces stay;
// a capital becomes "^" and its small letter; every other byte (dots, separators, "%", "^",
// "_", leading and trailing spaces, bytes above 127) becomes "%" and two hex digits. A name
// that would be a reserved device name (CON, NUL, COM1, ...) gets its first byte escaped,
// and the empty name is "_". ".txt" follows.
std::string SafeFileName(std::string_view screenName);

// The file a buddy's conversations are kept in: <folder of dataFile>/logs/<SafeFileName>.
std::filesystem::path ConversationFile(const std::filesystem::path& dataFile,
                                       std::string_view screenName);

// The local date and time as a kept conversation's heading shows it: 2026-12-07 14:05:09.
std::string Timestamp(std::chrono::system_clock::time_point when);

// What one kept conversation adds to the file: a line with the date and time, the
// transcript with its lines ended by CR LF, and an empty line. The bytes stay in the code
// page they came in.
std::string ConversationEntry(std::string_view timestamp, std::string_view transcript);

// Appends bytes to the file, making the "logs" folder and the file when they are missing.
FileStatus AppendToFile(FileOps& ops, const std::filesystem::path& path, std::string_view bytes);

}  // namespace brevanto::data

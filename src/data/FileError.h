#pragma once

#include <optional>
#include <string>

namespace brevanto::data {

// A failed file operation: which file, and the system's own words for why.
struct FileError {
    std::string path;
    std::string reason;
    // The new content did reach the file, but the system could not confirm that it is
    // stored for good (the folder sync after the rename failed).
    bool replaced = false;

    // "<path>: <reason>", for showing to the user.
    std::string Message() const { return path + ": " + reason; }
};

// What an operation that yields nothing returns: no error on success.
using FileStatus = std::optional<FileError>;

// What an operation that yields a value returns: the value, or the error that stopped it.
template <class T>
struct FileResult {
    T value{};
    FileStatus error;

    bool ok() const { return !error.has_value(); }
};

}  // namespace brevanto::data

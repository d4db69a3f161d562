#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <system_error>

// The file system calls that reading and crash-safe rewriting make, one member per call, so
// tests can fail any single call (EIO, ENOSPC, a short write, EINTR) and watch what the
// caller does. SystemFileOps() is the real one of the platform.
namespace brevanto::data {

// The outcome of one call: a value (a descriptor, a byte count) or the system's error.
struct SysResult {
    long long value = 0;
    std::error_code error;

    bool ok() const { return !error; }

    // The result of a C call that returns -1 and sets errno on failure.
    static SysResult FromErrno(long long value);
};

class FileOps {
  public:
    virtual ~FileOps() = default;

    virtual SysResult OpenForReading(const std::filesystem::path& path) = 0;
    // Opens for writing, creating the file when it is missing; the content stays.
    virtual SysResult OpenOrCreate(const std::filesystem::path& path) = 0;
    // Creates a file that must not exist yet and opens it for writing.
    virtual SysResult CreateNew(const std::filesystem::path& path) = 0;
    // May read or write fewer bytes than asked, and may fail with EINTR.
    virtual SysResult Read(int handle, char* buffer, std::size_t size) = 0;
    virtual SysResult Write(int handle, const char* data, std::size_t size) = 0;
    // Waits until the file's data is on the disk.
    virtual SysResult Sync(int handle) = 0;
    virtual SysResult Close(int handle) = 0;
    // Puts from in the place of to in one step, replacing to when it exists.
    virtual SysResult Rename(const std::filesystem::path& from,
                             const std::filesystem::path& to) = 0;
    virtual SysResult Remove(const std::filesystem::path& path) = 0;
    // A folder's own entry list, so that a rename in it can be made durable.
    virtual SysResult OpenDirectory(const std::filesystem::path& path) = 0;
    virtual SysResult SyncDirectory(int handle) = 0;
    virtual SysResult CloseDirectory(int handle) = 0;
};

inline SysResult SysResult::FromErrno(long long value) {
    if (value < 0) {
        return {-1, std::error_code(errno, std::generic_category())};
    }
    return {value, {}};
}

// The platform's real calls; one shared object without state.
FileOps& SystemFileOps();

}  // namespace brevanto::data

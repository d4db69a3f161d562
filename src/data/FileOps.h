#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <string>
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

// What a path names, followed through links.
enum class FileKind { Missing, Regular, Folder, Special };  // Special: a FIFO, device, socket

struct FileInfo {
    FileKind kind = FileKind::Missing;
    unsigned long long size = 0;
    long long modified = 0;    // last write, in the platform's finest unit
    unsigned permissions = 0;  // POSIX mode bits, or the Windows file attributes
    // The user may write it: permitted by the system and not marked read-only (a file
    // without any write bit counts as read-only even for root).
    bool writable = false;

    // Size and time tell whether someone else wrote the file in between.
    bool SameVersion(const FileInfo& other) const {
        return kind == other.kind && size == other.size && modified == other.modified;
    }
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

    // Fills info for what path names; fails with ENOENT when nothing is there.
    virtual SysResult Inspect(const std::filesystem::path& path, FileInfo& info) = 0;
    // The file that path names through every symbolic link on the way, so that a
    // replacement goes to the link's target and the link stays; path itself when it is no
    // link or the link cannot be read.
    virtual std::filesystem::path ResolveLink(const std::filesystem::path& path) = 0;
    // Gives a file the permissions (or attributes) another file had.
    virtual SysResult SetPermissions(const std::filesystem::path& path, unsigned permissions) = 0;
};

inline SysResult SysResult::FromErrno(long long value) {
    if (value < 0) {
        return {-1, std::error_code(errno, std::generic_category())};
    }
    return {value, {}};
}

// The reason given for a path that is neither a file nor missing, such as a FIFO or a
// device: Brevanto never opens one, since opening it may block for ever.
class NotRegularFileCategory final : public std::error_category {
  public:
    const char* name() const noexcept override { return "brevanto.file"; }
    std::string message(int) const override { return "Not a regular file"; }
};

inline std::error_code NotRegularFile() {
    static const NotRegularFileCategory category;
    return {1, category};
}

// The platform's real calls; one shared object without state.
FileOps& SystemFileOps();

}  // namespace brevanto::data

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

#include "data/FileOps.h"

// Windows: C runtime descriptors for the data, MoveFileExW for the replacement. The folder
// needs no sync of its own here: MOVEFILE_WRITE_THROUGH returns only once the move is on
// the disk.
namespace brevanto::data {

namespace {

unsigned int ChunkSize(std::size_t size) {
    return static_cast<unsigned int>(std::min<std::size_t>(size, INT_MAX));
}

// A virus scanner or indexer may hold the old file open for a moment; the move succeeds
// once it lets go.
bool IsBriefLock(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

class Win32FileOps final : public FileOps {
  public:
    SysResult OpenForReading(const std::filesystem::path& path) override {
        return SysResult::FromErrno(::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT));
    }
    SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return SysResult::FromErrno(
            ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY | _O_NOINHERIT,
                     _S_IREAD | _S_IWRITE));
    }
    SysResult CreateNew(const std::filesystem::path& path) override {
        return SysResult::FromErrno(
            ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                     _S_IREAD | _S_IWRITE));
    }
    SysResult Read(int handle, char* buffer, std::size_t size) override {
        return SysResult::FromErrno(::_read(handle, buffer, ChunkSize(size)));
    }
    SysResult Write(int handle, const char* data, std::size_t size) override {
        return SysResult::FromErrno(::_write(handle, data, ChunkSize(size)));
    }
    SysResult Sync(int handle) override { return SysResult::FromErrno(::_commit(handle)); }
    SysResult Close(int handle) override { return SysResult::FromErrno(::_close(handle)); }
    SysResult Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        constexpr int kAttempts = 20;
        constexpr DWORD kPauseMs = 50;
        DWORD error = 0;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            if (::MoveFileExW(from.c_str(), to.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return {0, {}};
            }
            error = ::GetLastError();
            if (!IsBriefLock(error)) {
                break;
            }
            ::Sleep(kPauseMs);
        }
        return {-1, std::error_code(static_cast<int>(error), std::system_category())};
    }
    SysResult Remove(const std::filesystem::path& path) override {
        return SysResult::FromErrno(::_wunlink(path.c_str()));
    }
    SysResult OpenDirectory(const std::filesystem::path&) override { return {0, {}}; }
    SysResult SyncDirectory(int) override { return {0, {}}; }
    SysResult CloseDirectory(int) override { return {0, {}}; }
};

}  // namespace

FileOps& SystemFileOps() {
    static Win32FileOps ops;
    return ops;
}

}  // namespace brevanto::data

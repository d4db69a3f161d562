#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <string>

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

// Not-found errors compare equal to ENOENT, as the caller expects of a missing file.
SysResult LastError() {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return {-1, std::make_error_code(std::errc::no_such_file_or_directory)};
    }
    return {-1, std::error_code(static_cast<int>(error), std::system_category())};
}

// The attributes a file may be given; the others describe what it is.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// GetFinalPathNameByHandleW answers with the "\\?\" prefix; a drive path reads better
// without it.
std::wstring WithoutLongPrefix(std::wstring path) {
    const std::wstring prefix = L"\\\\?\\";
    if (path.rfind(prefix, 0) == 0 && path.size() > 6 && path[5] == L':') {
        path.erase(0, prefix.size());
    }
    return path;
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

    SysResult Inspect(const std::filesystem::path& path, FileInfo& info) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(ResolveLink(path).c_str(), GetFileExInfoStandard, &data)) {
            return LastError();
        }
        info.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder
                                                                       : FileKind::Regular;
        info.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        info.modified = static_cast<long long>(
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime);
        info.permissions = data.dwFileAttributes & kSettableAttributes;
        info.writable = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
        return {0, {}};
    }
    std::filesystem::path ResolveLink(const std::filesystem::path& path) override {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            return path;
        }
        // Opening without FILE_FLAG_OPEN_REPARSE_POINT opens the link's final target.
        const HANDLE file =
            ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return path;
        }
        std::wstring target(MAX_PATH, L'\0');
        DWORD length =
            ::GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()), 0);
        if (length >= target.size()) {
            target.resize(length);
            length = ::GetFinalPathNameByHandleW(file, target.data(),
                                                 static_cast<DWORD>(target.size()), 0);
        }
        ::CloseHandle(file);
        if (length == 0 || length >= target.size()) {
            return path;
        }
        target.resize(length);
        return WithoutLongPrefix(target);
    }
    SysResult SetPermissions(const std::filesystem::path& path, unsigned permissions) override {
        const DWORD attributes = permissions & kSettableAttributes;
        if (!::SetFileAttributesW(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) {
            return LastError();
        }
        return {0, {}};
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static Win32FileOps ops;
    return ops;
}

}  // namespace brevanto::data

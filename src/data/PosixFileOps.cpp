#include <fcntl.h>
#include <unistd.h>

#include "data/FileOps.h"

// POSIX descriptors. Every call hands EINTR and short counts back to the caller, which
// decides whether to retry.
namespace brevanto::data {

namespace {

class PosixFileOps final : public FileOps {
  public:
    SysResult OpenForReading(const std::filesystem::path& path) override {
        return SysResult::FromErrno(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    }
    SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return SysResult::FromErrno(
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    }
    SysResult CreateNew(const std::filesystem::path& path) override {
        return SysResult::FromErrno(
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    SysResult Read(int handle, char* buffer, std::size_t size) override {
        return SysResult::FromErrno(::read(handle, buffer, size));
    }
    SysResult Write(int handle, const char* data, std::size_t size) override {
        return SysResult::FromErrno(::write(handle, data, size));
    }
    SysResult Sync(int handle) override { return SysResult::FromErrno(::fsync(handle)); }
    SysResult Close(int handle) override { return SysResult::FromErrno(::close(handle)); }
    SysResult Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return SysResult::FromErrno(::rename(from.c_str(), to.c_str()));
    }
    SysResult Remove(const std::filesystem::path& path) override {
        return SysResult::FromErrno(::unlink(path.c_str()));
    }
    SysResult OpenDirectory(const std::filesystem::path& path) override {
        return SysResult::FromErrno(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    SysResult SyncDirectory(int handle) override { return SysResult::FromErrno(::fsync(handle)); }
    SysResult CloseDirectory(int handle) override { return SysResult::FromErrno(::close(handle)); }
};

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace brevanto::data

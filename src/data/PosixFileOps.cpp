#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "data/FileOps.h"

// POSIX descriptors. Every call hands EINTR and short counts back to the caller, which
// decides whether to retry.
namespace brevanto::data {

namespace {

SysResult FromCall(long long value) {
    if (value < 0) {
        return {-1, std::error_code(errno, std::generic_category())};
    }
    return {value, {}};
}

class PosixFileOps final : public FileOps {
  public:
    SysResult OpenForReading(const std::filesystem::path& path) override {
        return FromCall(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    }
    SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return FromCall(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    }
    SysResult CreateNew(const std::filesystem::path& path) override {
        return FromCall(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    SysResult Read(int handle, char* buffer, std::size_t size) override {
        return FromCall(::read(handle, buffer, size));
    }
    SysResult Write(int handle, const char* data, std::size_t size) override {
        return FromCall(::write(handle, data, size));
    }
    SysResult Sync(int handle) override { return FromCall(::fsync(handle)); }
    SysResult Close(int handle) override { return FromCall(::close(handle)); }
    SysResult Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return FromCall(::rename(from.c_str(), to.c_str()));
    }
    SysResult Remove(const std::filesystem::path& path) override {
        return FromCall(::unlink(path.c_str()));
    }
    SysResult OpenDirectory(const std::filesystem::path& path) override {
        return FromCall(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    SysResult SyncDirectory(int handle) override { return FromCall(::fsync(handle)); }
    SysResult CloseDirectory(int handle) override { return FromCall(::close(handle)); }
};

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace brevanto::data

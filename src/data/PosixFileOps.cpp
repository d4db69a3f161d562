#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/FileOps.h"

// POSIX descriptors. Every call hands EINTR and short counts back to the caller, which
// decides whether to retry.
namespace brevanto::data {

namespace {

// Links on a path longer than this are a loop; the system's own limit is about as long.
constexpr int kMaxLinks = 40;

// O_NONBLOCK: opening a FIFO returns at once instead of waiting for its other end. Only
// regular files are kept open: a FIFO or device could block or never end.
SysResult OpenRegular(const std::filesystem::path& path, int flags, mode_t mode = 0) {
    const int handle = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (handle < 0) {
        return SysResult::FromErrno(-1);
    }
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(handle);
        return {-1, S_ISDIR(info.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                          : NotRegularFile()};
    }
    return {handle, {}};
}

class PosixFileOps final : public FileOps {
  public:
    SysResult OpenForReading(const std::filesystem::path& path) override {
        return OpenRegular(path, O_RDONLY);
    }
    SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return OpenRegular(path, O_WRONLY | O_CREAT | O_APPEND, 0666);
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

    SysResult Inspect(const std::filesystem::path& path, FileInfo& info) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return SysResult::FromErrno(-1);
        }
        info.kind = S_ISREG(status.st_mode)   ? FileKind::Regular
                    : S_ISDIR(status.st_mode) ? FileKind::Folder
                                              : FileKind::Special;
        info.size = static_cast<unsigned long long>(status.st_size);
        info.modified =
            static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
        info.permissions = status.st_mode & 07777;
        info.writable = (status.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
        return {0, {}};
    }
    std::filesystem::path ResolveLink(const std::filesystem::path& path) override {
        std::filesystem::path current = path;
        for (int hop = 0; hop < kMaxLinks; ++hop) {
            std::error_code error;
            if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
                return current;
            }
            const std::filesystem::path target = std::filesystem::read_symlink(current, error);
            if (error) {
                return current;
            }
            // A relative target is relative to the link's own folder.
            current = target.is_absolute() ? target : current.parent_path() / target;
        }
        return current;
    }
    SysResult SetPermissions(const std::filesystem::path& path, unsigned permissions) override {
        return SysResult::FromErrno(::chmod(path.c_str(), static_cast<mode_t>(permissions)));
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}

}  // namespace brevanto::data

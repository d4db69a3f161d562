#include "FaultInjectingFileOps.h"

#include <algorithm>
#include <system_error>

namespace brevanto::hardening {

namespace {

data::FileOps& Real() {
    return data::SystemFileOps();
}

}  // namespace

void FaultInjectingFileOps::FailAt(std::size_t position, int error) {
    failAt_ = position;
    error_ = error;
}

void FaultInjectingFileOps::ShortWriteAt(std::size_t position) {
    shortWriteAt_ = position;
}

std::optional<data::SysResult> FaultInjectingFileOps::Enter(const char* name, bool onWrittenFile) {
    const std::size_t position = calls_.size();
    calls_.push_back({name, onWrittenFile});
    if (failAt_ == position) {
        return data::SysResult{-1, std::error_code(error_, std::generic_category())};
    }
    return std::nullopt;
}

data::SysResult FaultInjectingFileOps::Opened(data::SysResult result, bool forWriting) {
    if (result.ok() && forWriting) {
        writtenHandles_.insert(static_cast<int>(result.value));
    }
    return result;
}

data::SysResult FaultInjectingFileOps::OpenForReading(const std::filesystem::path& path) {
    if (auto failed = Enter("OpenForReading", false)) {
        return *failed;
    }
    return Real().OpenForReading(path);
}

data::SysResult FaultInjectingFileOps::OpenOrCreate(const std::filesystem::path& path) {
    if (auto failed = Enter("OpenOrCreate", false)) {
        return *failed;
    }
    return Opened(Real().OpenOrCreate(path), true);
}

data::SysResult FaultInjectingFileOps::CreateNew(const std::filesystem::path& path) {
    if (auto failed = Enter("CreateNew", false)) {
        return *failed;
    }
    return Opened(Real().CreateNew(path), true);
}

data::SysResult FaultInjectingFileOps::Read(int handle, char* buffer, std::size_t size) {
    if (auto failed = Enter("Read", false)) {
        return *failed;
    }
    return Real().Read(handle, buffer, size);
}

data::SysResult FaultInjectingFileOps::Write(int handle, const char* data, std::size_t size) {
    const bool shortWrite = shortWriteAt_ == calls_.size();
    if (auto failed = Enter("Write", true)) {
        return *failed;
    }
    return Real().Write(handle, data, shortWrite ? std::min<std::size_t>(size, 1) : size);
}

data::SysResult FaultInjectingFileOps::Sync(int handle) {
    if (auto failed = Enter("Sync", writtenHandles_.contains(handle))) {
        return *failed;
    }
    return Real().Sync(handle);
}

data::SysResult FaultInjectingFileOps::Close(int handle) {
    const bool written = writtenHandles_.contains(handle);
    // A failed close has released the descriptor all the same (POSIX leaves it closed
    // even on EINTR under Linux), so the injected failure closes it for real too.
    writtenHandles_.erase(handle);
    if (auto failed = Enter("Close", written)) {
        Real().Close(handle);
        return *failed;
    }
    return Real().Close(handle);
}

data::SysResult FaultInjectingFileOps::Rename(const std::filesystem::path& from,
                                              const std::filesystem::path& to) {
    if (auto failed = Enter("Rename", false)) {
        return *failed;
    }
    return Real().Rename(from, to);
}

data::SysResult FaultInjectingFileOps::Remove(const std::filesystem::path& path) {
    if (auto failed = Enter("Remove", false)) {
        return *failed;
    }
    return Real().Remove(path);
}

data::SysResult FaultInjectingFileOps::OpenDirectory(const std::filesystem::path& path) {
    if (auto failed = Enter("OpenDirectory", false)) {
        return *failed;
    }
    return Real().OpenDirectory(path);
}

data::SysResult FaultInjectingFileOps::SyncDirectory(int handle) {
    if (auto failed = Enter("SyncDirectory", false)) {
        return *failed;
    }
    return Real().SyncDirectory(handle);
}

data::SysResult FaultInjectingFileOps::CloseDirectory(int handle) {
    if (auto failed = Enter("CloseDirectory", false)) {
        Real().CloseDirectory(handle);
        return *failed;
    }
    return Real().CloseDirectory(handle);
}

}  // namespace brevanto::hardening

#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "data/FileOps.h"

namespace brevanto::hardening {

// One file-system call as the fault layer saw it.
struct FileCall {
    std::string name;            // the FileOps member, "Write", "Rename", ...
    bool onWrittenFile = false;  // a Write, Sync or Close of a handle opened for writing
};

// The real file calls, counted in order over all kinds, with one chosen call failing: the
// sweep learns a save's calls once, then fails each position in turn, so none goes untried.
class FaultInjectingFileOps final : public data::FileOps {
  public:
    // The call at this position (0-based, over all calls) fails with error instead.
    void FailAt(std::size_t position, int error) {
        failAt_ = position;
        error_ = error;
    }
    // The write at this position writes only one byte, as a full disk or a signal can.
    void ShortWriteAt(std::size_t position) { shortWriteAt_ = position; }
    const std::vector<FileCall>& Calls() const { return calls_; }

    data::SysResult OpenForReading(const std::filesystem::path& path) override {
        return Pass("OpenForReading", false, [&] { return Real().OpenForReading(path); });
    }
    data::SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return Opened(Pass("OpenOrCreate", false, [&] { return Real().OpenOrCreate(path); }));
    }
    data::SysResult CreateNew(const std::filesystem::path& path) override {
        return Opened(Pass("CreateNew", false, [&] { return Real().CreateNew(path); }));
    }
    data::SysResult Read(int handle, char* buffer, std::size_t size) override {
        return Pass("Read", false, [&] { return Real().Read(handle, buffer, size); });
    }
    data::SysResult Write(int handle, const char* data, std::size_t size) override {
        const std::size_t count =
            shortWriteAt_ == calls_.size() ? std::min<std::size_t>(size, 1) : size;
        return Pass("Write", true, [&] { return Real().Write(handle, data, count); });
    }
    data::SysResult Sync(int handle) override {
        return Pass("Sync", writtenHandles_.contains(handle), [&] { return Real().Sync(handle); });
    }
    // A failed close has released the descriptor all the same (Linux leaves it closed even
    // on EINTR), so an injected failure closes it for real too.
    data::SysResult Close(int handle) override {
        const bool written = writtenHandles_.erase(handle) > 0;
        return Pass(
            "Close", written, [&] { return Real().Close(handle); }, true);
    }
    data::SysResult Rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        return Pass("Rename", false, [&] { return Real().Rename(from, to); });
    }
    data::SysResult Remove(const std::filesystem::path& path) override {
        return Pass("Remove", false, [&] { return Real().Remove(path); });
    }
    data::SysResult OpenDirectory(const std::filesystem::path& path) override {
        return Pass("OpenDirectory", false, [&] { return Real().OpenDirectory(path); });
    }
    data::SysResult SyncDirectory(int handle) override {
        return Pass("SyncDirectory", false, [&] { return Real().SyncDirectory(handle); });
    }
    data::SysResult CloseDirectory(int handle) override {
        return Pass(
            "CloseDirectory", false, [&] { return Real().CloseDirectory(handle); }, true);
    }

    data::SysResult Inspect(const std::filesystem::path& path, data::FileInfo& info) override {
        return Pass("Inspect", false, [&] { return Real().Inspect(path, info); });
    }
    data::SysResult SetPermissions(const std::filesystem::path& path, unsigned bits) override {
        return Pass("SetPermissions", false, [&] { return Real().SetPermissions(path, bits); });
    }
    std::filesystem::path ResolveLink(const std::filesystem::path& path) override {
        return Real().ResolveLink(path);
    }

  private:
    static data::FileOps& Real() { return data::SystemFileOps(); }

    // Records the call, then runs it or, at the chosen position, returns the injected error
    // (after running it anyway when the call releases a handle).
    template <typename RealCall>
    data::SysResult Pass(const char* name, bool onWrittenFile, RealCall real,
                         bool releasesHandle = false) {
        const bool fail = failAt_ == calls_.size();
        calls_.push_back({name, onWrittenFile});
        if (!fail) {
            return real();
        }
        if (releasesHandle) {
            real();
        }
        return {-1, std::error_code(error_, std::generic_category())};
    }
    data::SysResult Opened(data::SysResult result) {
        if (result.ok()) {
            writtenHandles_.insert(static_cast<int>(result.value));
        }
        return result;
    }

    std::vector<FileCall> calls_;
    std::set<int> writtenHandles_;
    std::optional<std::size_t> failAt_;
    int error_ = 0;
    std::optional<std::size_t> shortWriteAt_;
};

}  // namespace brevanto::hardening

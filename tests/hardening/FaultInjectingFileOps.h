#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/FileOps.h"

namespace brevanto::hardening {

// One file-system call as the fault layer saw it.
struct FileCall {
    std::string name;            // the FileOps member, "Write", "Rename", ...
    bool onWrittenFile = false;  // a Write, Sync or Close of a handle opened for writing
};

// The system's file calls, counted in the order they are made over all kinds, with one
// chosen call failing: the sweep runs a save once to learn its calls, then once per
// position with that call failing, so no call of a save goes untried.
class FaultInjectingFileOps final : public data::FileOps {
  public:
    // The call at this position (0-based, over all calls) fails with error instead of
    // running.
    void FailAt(std::size_t position, int error);
    // The write at this position writes only one byte, as a full disk or a signal can.
    void ShortWriteAt(std::size_t position);

    const std::vector<FileCall>& Calls() const { return calls_; }

    data::SysResult OpenForReading(const std::filesystem::path& path) override;
    data::SysResult OpenOrCreate(const std::filesystem::path& path) override;
    data::SysResult CreateNew(const std::filesystem::path& path) override;
    data::SysResult Read(int handle, char* buffer, std::size_t size) override;
    data::SysResult Write(int handle, const char* data, std::size_t size) override;
    data::SysResult Sync(int handle) override;
    data::SysResult Close(int handle) override;
    data::SysResult Rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override;
    data::SysResult Remove(const std::filesystem::path& path) override;
    data::SysResult OpenDirectory(const std::filesystem::path& path) override;
    data::SysResult SyncDirectory(int handle) override;
    data::SysResult CloseDirectory(int handle) override;

  private:
    // Records the call; the injected error when this is the chosen position.
    std::optional<data::SysResult> Enter(const char* name, bool onWrittenFile);
    data::SysResult Opened(data::SysResult result, bool forWriting);

    std::vector<FileCall> calls_;
    std::set<int> writtenHandles_;
    std::optional<std::size_t> failAt_;
    int error_ = 0;
    std::optional<std::size_t> shortWriteAt_;
};

}  // namespace brevanto::hardening

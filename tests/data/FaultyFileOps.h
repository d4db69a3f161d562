#pragma once

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "data/FileOps.h"

namespace brevanto::testing {

// The system's file calls, with chosen calls failing: each call is counted by name, and the
// n-th call of a name can fail with an errno value. Writes can be cut short, and calls can
// be interrupted by "signals" (EINTR) a number of times before they go through.
class FaultyFileOps final : public data::FileOps {
  public:
    // The n-th call (1-based) of name fails with error.
    void FailCall(const std::string& name, int n, int error) { failures_[{name, n}] = error; }
    // Every write writes at most this many bytes.
    void LimitWrites(std::size_t bytes) { write_limit_ = bytes; }
    // Every call is interrupted this many times before it runs.
    void InterruptEachCall(int times) { interruptions_ = times; }

    int Calls(const std::string& name) const {
        const auto found = counts_.find(name);
        return found == counts_.end() ? 0 : found->second;
    }
    const std::vector<std::string>& Log() const { return log_; }

    data::SysResult OpenForReading(const std::filesystem::path& path) override {
        return Run("OpenForReading", [&] { return real().OpenForReading(path); });
    }
    data::SysResult OpenOrCreate(const std::filesystem::path& path) override {
        return Run("OpenOrCreate", [&] { return real().OpenOrCreate(path); });
    }
    data::SysResult CreateNew(const std::filesystem::path& path) override {
        return Run("CreateNew", [&] { return real().CreateNew(path); });
    }
    data::SysResult Read(int handle, char* buffer, std::size_t size) override {
        return Run("Read", [&] { return real().Read(handle, buffer, size); });
    }
    data::SysResult Write(int handle, const char* data, std::size_t size) override {
        return Run("Write",
                   [&] { return real().Write(handle, data, std::min(size, write_limit_)); });
    }
    data::SysResult Sync(int handle) override {
        return Run("Sync", [&] { return real().Sync(handle); });
    }
    data::SysResult Close(int handle) override {
        return Run("Close", [&] { return real().Close(handle); });
    }
    data::SysResult Rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        return Run("Rename", [&] { return real().Rename(from, to); });
    }
    data::SysResult Remove(const std::filesystem::path& path) override {
        return Run("Remove", [&] { return real().Remove(path); });
    }
    data::SysResult OpenDirectory(const std::filesystem::path& path) override {
        return Run("OpenDirectory", [&] { return real().OpenDirectory(path); });
    }
    data::SysResult SyncDirectory(int handle) override {
        return Run("SyncDirectory", [&] { return real().SyncDirectory(handle); });
    }
    data::SysResult CloseDirectory(int handle) override {
        return Run("CloseDirectory", [&] { return real().CloseDirectory(handle); });
    }

  private:
    static data::FileOps& real() { return data::SystemFileOps(); }

    template <class Call>
    data::SysResult Run(const std::string& name, Call call) {
        // Close is never interrupted here: a real interrupted close has closed the handle
        // already, and a retry would close someone else's.
        if (name != "Close" && name != "CloseDirectory" && pending_[name] < interruptions_) {
            ++pending_[name];
            return Failure(EINTR);
        }
        pending_[name] = 0;
        const int n = ++counts_[name];
        log_.push_back(name);
        const auto failure = failures_.find({name, n});
        if (failure != failures_.end()) {
            return Failure(failure->second);
        }
        return call();
    }

    static data::SysResult Failure(int error) {
        return {-1, std::error_code(error, std::generic_category())};
    }

    std::map<std::pair<std::string, int>, int> failures_;
    std::map<std::string, int> counts_;
    std::map<std::string, int> pending_;
    std::vector<std::string> log_;
    std::size_t write_limit_ = static_cast<std::size_t>(-1);
    int interruptions_ = 0;
};

}  // namespace brevanto::testing

#pragma once

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "data/FileOps.h"

namespace brevanto::testing {

// The system's file calls with chosen ones failing. Calls are counted by name; writes can be
// cut short and calls interrupted (EINTR) a number of times before they go through.
class FaultyFileOps final : public data::FileOps {
  public:
    // The n-th call (1-based) of name fails with error; n = 0 fails every call of name.
    void FailCall(const std::string& name, int n, int error) { failures_[{name, n}] = error; }
    void LimitWrites(std::size_t bytes) { write_limit_ = bytes; }
    void InterruptEachCall(int times) { interruptions_ = times; }

    int Calls(const std::string& name) const {
        const auto found = counts_.find(name);
        return found == counts_.end() ? 0 : found->second;
    }
    const std::vector<std::string>& Log() const { return log_; }

    // Each call goes through Run under its own name, then to the system.
#define BREVANTO_FAULTY_CALL(Name, Params, Args)             \
    data::SysResult Name Params override {                   \
        return Run(#Name, [&] { return real().Name Args; }); \
    }
    using Path = std::filesystem::path;
    BREVANTO_FAULTY_CALL(OpenForReading, (const Path& p), (p))
    BREVANTO_FAULTY_CALL(OpenOrCreate, (const Path& p), (p))
    BREVANTO_FAULTY_CALL(CreateNew, (const Path& p), (p))
    BREVANTO_FAULTY_CALL(Read, (int h, char* buffer, std::size_t size), (h, buffer, size))
    BREVANTO_FAULTY_CALL(Write, (int h, const char* data, std::size_t size),
                         (h, data, std::min(size, write_limit_)))
    BREVANTO_FAULTY_CALL(Sync, (int h), (h))
    BREVANTO_FAULTY_CALL(Close, (int h), (h))
    BREVANTO_FAULTY_CALL(Rename, (const Path& from, const Path& to), (from, to))
    BREVANTO_FAULTY_CALL(Remove, (const Path& p), (p))
    BREVANTO_FAULTY_CALL(OpenDirectory, (const Path& p), (p))
    BREVANTO_FAULTY_CALL(SyncDirectory, (int h), (h))
    BREVANTO_FAULTY_CALL(CloseDirectory, (int h), (h))
    BREVANTO_FAULTY_CALL(Inspect, (const Path& p, data::FileInfo& info), (p, info))
    BREVANTO_FAULTY_CALL(SetPermissions, (const Path& p, unsigned bits), (p, bits))
#undef BREVANTO_FAULTY_CALL
    Path ResolveLink(const Path& p) override {
        return real().ResolveLink(p);
    }

  private:
    static data::FileOps& real() {
        return data::SystemFileOps();
    }

    template <class Call>
    data::SysResult Run(const std::string& name, Call call) {
        // A real interrupted close has closed the handle already, so Close is never retried.
        if (name != "Close" && name != "CloseDirectory" && pending_[name] < interruptions_) {
            ++pending_[name];
            return Failure(EINTR);
        }
        pending_[name] = 0;
        const int n = ++counts_[name];
        log_.push_back(name);
        for (const int key : {n, 0}) {
            const auto failure = failures_.find({name, key});
            if (failure != failures_.end()) {
                return Failure(failure->second);
            }
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

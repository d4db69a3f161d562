#pragma once

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/FileOps.h"

namespace brevanto::testing {

// One file call as the layer saw it.
struct FileCall {
    std::string name;            // the FileOps member, "Write", "Rename", ...
    bool onWrittenFile = false;  // a Write, Sync or Close of a handle opened for writing
};

// The system's file calls with chosen ones failing: by name and count, or by position over
// all calls, so that a sweep can learn a save's calls once and then fail each in turn.
// Writes can be cut short and calls interrupted (EINTR) before they go through.
class FaultyFileOps final : public data::FileOps {
  public:
    // The n-th call (1-based) of name fails with error; n = 0 fails every call of name.
    void FailCall(const std::string& name, int n, int error) { failures_[{name, n}] = error; }
    // The call at this position (0-based, over all calls) fails with error.
    void FailAt(std::size_t position, int error) { failAt_ = {position, error}; }
    // Every write passes at most bytes on.
    void LimitWrites(std::size_t bytes) { writeLimit_ = bytes; }
    // Each call fails with EINTR this many times before it goes through.
    void InterruptEachCall(int times) { interruptions_ = times; }

    int Calls(const std::string& name) const {
        return static_cast<int>(std::ranges::count(log_, name, &FileCall::name));
    }
    const std::vector<FileCall>& Log() const { return log_; }
    // Handles opened for writing and not closed since.
    std::size_t OpenWrittenFiles() const { return written_.size(); }

    using Path = std::filesystem::path;
    // Each call goes through Run; Opened notes the handles a call opened for writing.
#define BREVANTO_FAULTY_CALL(Name, Params, Args, Written, Then)                            \
    data::SysResult Name Params override {                                                 \
        return Then(Run(#Name, Written, [&] { return data::SystemFileOps().Name Args; })); \
    }
    BREVANTO_FAULTY_CALL(OpenForReading, (const Path& p), (p), false, )
    BREVANTO_FAULTY_CALL(OpenOrCreate, (const Path& p), (p), false, Opened)
    BREVANTO_FAULTY_CALL(CreateNew, (const Path& p), (p), false, Opened)
    BREVANTO_FAULTY_CALL(Read, (int h, char* buffer, std::size_t size), (h, buffer, size), false, )
    BREVANTO_FAULTY_CALL(Write, (int h, const char* data, std::size_t size),
                         (h, data, std::min(size, writeLimit_)), true, )
    BREVANTO_FAULTY_CALL(Sync, (int h), (h), written_.contains(h), )
    BREVANTO_FAULTY_CALL(Close, (int h), (h), written_.erase(h) > 0, )
    BREVANTO_FAULTY_CALL(Rename, (const Path& from, const Path& to), (from, to), false, )
    BREVANTO_FAULTY_CALL(Remove, (const Path& p), (p), false, )
    BREVANTO_FAULTY_CALL(OpenDirectory, (const Path& p), (p), false, )
    BREVANTO_FAULTY_CALL(SyncDirectory, (int h), (h), false, )
    BREVANTO_FAULTY_CALL(CloseDirectory, (int h), (h), false, )
    BREVANTO_FAULTY_CALL(Inspect, (const Path& p, data::FileInfo& info), (p, info), false, )
    BREVANTO_FAULTY_CALL(SetPermissions, (const Path& p, unsigned bits), (p, bits), false, )
#undef BREVANTO_FAULTY_CALL
    Path ResolveLink(const Path& p) override {
        return data::SystemFileOps().ResolveLink(p);
    }

  private:
    template <class Call>
    data::SysResult Run(const std::string& name, bool onWrittenFile, Call call) {
        // A closing call releases the handle even when it fails (Linux leaves a descriptor
        // closed even on EINTR), so it is never interrupted and runs before a failure.
        const bool closes = name == "Close" || name == "CloseDirectory";
        if (!closes && pending_[name] < interruptions_) {
            ++pending_[name];
            return Failure(EINTR);
        }
        pending_[name] = 0;
        const int n = Calls(name) + 1;
        std::optional<int> error;
        if (failAt_ && failAt_->first == log_.size()) {
            error = failAt_->second;
        }
        log_.push_back({name, onWrittenFile});
        for (const int key : {n, 0}) {
            if (const auto failure = failures_.find({name, key});
                !error && failure != failures_.end()) {
                error = failure->second;
            }
        }
        if (!error) {
            return call();
        }
        if (closes) {
            call();
        }
        return Failure(*error);
    }
    data::SysResult Opened(data::SysResult result) {
        if (result.ok()) {
            written_.insert(static_cast<int>(result.value));
        }
        return result;
    }
    static data::SysResult Failure(int error) {
        return {-1, std::error_code(error, std::generic_category())};
    }

    std::map<std::pair<std::string, int>, int> failures_;
    std::optional<std::pair<std::size_t, int>> failAt_;
    std::map<std::string, int> pending_;
    std::vector<FileCall> log_;
    std::set<int> written_;
    std::size_t writeLimit_ = static_cast<std::size_t>(-1);
    int interruptions_ = 0;
};

}  // namespace brevanto::testing

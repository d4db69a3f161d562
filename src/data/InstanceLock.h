#pragma once

#include <cstdint>
#include <filesystem>

// Keeps two Brevantos from working on one data file, where each save would drop the other's
// pairs. The lock is a file beside the data file, held while this object lives; the system
// lets go of it when the process ends in any way, so a killed instance never blocks the
// next one.
namespace brevanto::data {

class InstanceLock {
  public:
    enum class State {
        Held,           // this process holds the lock
        HeldElsewhere,  // another running Brevanto holds it
        Unavailable,    // no lock file could be made (a read-only folder): runs unguarded
    };

    explicit InstanceLock(const std::filesystem::path& dataFile);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }

    // "<data file>.lock", in the data file's folder.
    static std::filesystem::path LockFileFor(const std::filesystem::path& dataFile) {
        std::filesystem::path lock = dataFile;
        lock += ".lock";
        return lock;
    }

  private:
    State state_ = State::Unavailable;
    std::intptr_t handle_ = -1;
};

}  // namespace brevanto::data

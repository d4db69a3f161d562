#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "data/InstanceLock.h"

// flock on a lock file: the lock belongs to the open file, so the kernel drops it when the
// process ends, also by a kill. The file itself stays; removing it could let a second
// instance lock a new file while the first still holds the old one.
namespace brevanto::data {

InstanceLock::InstanceLock(const std::filesystem::path& dataFile) {
    const std::filesystem::path path = LockFileFor(dataFile);
    int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (handle < 0) {
        // A lock file someone else made may still be locked when it cannot be written.
        handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (handle < 0) {
        return;
    }
    int result = 0;
    do {
        result = ::flock(handle, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Held;
        handle_ = handle;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    ::close(handle);
}

InstanceLock::~InstanceLock() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

}  // namespace brevanto::data

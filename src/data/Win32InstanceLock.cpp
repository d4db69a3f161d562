#include <windows.h>

#include "data/InstanceLock.h"

// A lock file opened with no sharing at all: a second open fails with a sharing violation
// while the handle lives. Windows closes the handle when the process ends, also when it is
// killed, and the file goes with it (FILE_FLAG_DELETE_ON_CLOSE).
namespace brevanto::data {

InstanceLock::InstanceLock(const std::filesystem::path& dataFile) {
    const HANDLE handle =
        ::CreateFileW(LockFileFor(dataFile).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        state_ = State::Held;
        handle_ = reinterpret_cast<std::intptr_t>(handle);
        return;
    }
    const DWORD error = ::GetLastError();
    state_ = error == ERROR_SHARING_VIOLATION ? State::HeldElsewhere : State::Unavailable;
}

InstanceLock::~InstanceLock() {
    if (state_ == State::Held) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

}  // namespace brevanto::data

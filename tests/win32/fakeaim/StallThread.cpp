#include "fakeaim/StallThread.h"

namespace brevanto::wine {

StallThread::StallThread() : thread_([this] { Loop(); }) {}

StallThread::~StallThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void StallThread::Run(std::function<void()> job) {
    std::unique_lock lock(mutex_);
    job_ = std::move(job);
    changed_.notify_all();
    changed_.wait(lock, [this] { return !job_; });
}

void StallThread::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || static_cast<bool>(job_); });
        if (job_) {
            job_();
            job_ = nullptr;
            changed_.notify_all();
            continue;
        }
        return;
    }
}

}  // namespace brevanto::wine

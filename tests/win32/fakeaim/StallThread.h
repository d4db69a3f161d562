#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A thread that runs jobs handed to it and otherwise waits on a condition variable, never
// on a message queue. Windows created by its jobs belong to it, so they exist and keep
// their captions but never answer a message: a hung AIM window.
namespace brevanto::wine {

class StallThread {
  public:
    StallThread();
    ~StallThread();
    StallThread(const StallThread&) = delete;
    StallThread& operator=(const StallThread&) = delete;

    // Runs job on the thread and returns when it has finished.
    void Run(std::function<void()> job);

  private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace brevanto::wine

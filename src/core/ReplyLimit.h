#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

// "Answer each buddy at most once every N minutes": the time of the last reply per screen
// name, for the run. It stops two auto-responders from answering each other for ever.
namespace brevanto::core {

using Clock = std::function<std::chrono::system_clock::time_point()>;

class ReplyLimit {
  public:
    explicit ReplyLimit(Clock clock = &std::chrono::system_clock::now) : clock_(std::move(clock)) {}

    // 0 switches the limit off. The replies already sent stay remembered.
    void SetMinutes(int minutes) { minutes_ = minutes; }
    int Minutes() const { return minutes_; }
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // Whether the buddy may be answered now: the limit is off, the buddy was never answered,
    // or the last reply is at least the limit ago. A clock set back counts as time passed.
    bool Allows(const std::string& screenName) const;
    // A reply was sent now.
    void Replied(const std::string& screenName);
    // The wall clock the limit and the kept conversations go by.
    std::chrono::system_clock::time_point Now() const { return clock_(); }

  private:
    Clock clock_;
    int minutes_ = 0;
    std::map<std::string, std::chrono::system_clock::time_point> lastReply_;
};

}  // namespace brevanto::core

#include "core/ReplyLimit.h"

namespace brevanto::core {

bool ReplyLimit::Allows(const std::string& screenName) const {
    if (minutes_ <= 0) {
        return true;
    }
    const auto last = lastReply_.find(screenName);
    if (last == lastReply_.end()) {
        return true;
    }
    const auto since = clock_() - last->second;
    return since < std::chrono::system_clock::duration::zero() ||
           since >= std::chrono::minutes(minutes_);
}

void ReplyLimit::Replied(const std::string& screenName) {
    lastReply_[screenName] = clock_();
}

}  // namespace brevanto::core

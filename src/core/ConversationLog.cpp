#include "core/ConversationLog.h"

namespace brevanto::core {

std::optional<std::size_t> ConversationLog::Find(const std::string& buddyName) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].BuddyName == buddyName) {
            return i;
        }
    }
    return std::nullopt;
}

ConversationLog::Logged ConversationLog::Record(const std::string& buddyName,
                                                const std::string& transcript) {
    if (const auto found = Find(buddyName)) {
        std::string& text = records_[*found].Transcript;
        text += '\n';
        text += transcript;
        return {*found, false};
    }
    records_.push_back({buddyName, transcript});
    return {records_.size() - 1, true};
}

}  // namespace brevanto::core

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The conversation log of one run: one record per buddy, in order of first contact, never
// stored. It grows with the run; there is no fixed number of buddies.
namespace brevanto::core {

struct Conversation {
    std::string BuddyName;
    std::string Transcript;
};

class ConversationLog {
  public:
    struct Logged {
        std::size_t index = 0;
        bool isNewBuddy = false;
    };

    // The first record whose name equals the name exactly (case-sensitive).
    std::optional<std::size_t> Find(const std::string& buddyName) const;

    // Appends the transcript to the buddy's record after a line feed, or opens a record.
    Logged Record(const std::string& buddyName, const std::string& transcript);

    const std::vector<Conversation>& Records() const { return records_; }

  private:
    std::vector<Conversation> records_;
};

}  // namespace brevanto::core

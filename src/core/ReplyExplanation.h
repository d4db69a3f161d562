#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/Controls.h"
#include "data/EntryRow.h"
#include "data/FileError.h"
#include "data/FileOps.h"

// How the reply to a buddy's message is chosen, step by step. The auto-respond tick sends
// the reply it gives, and "Test a Message" shows every step, so both take the same path.
namespace brevanto::core {

struct ReplyExplanation {
    std::string message;  // the speaker label and the Ignore texts removed
    std::string key;      // lower-cased and trimmed: what data.dat is searched for
    std::optional<data::EntryMatch> entry;  // the entry that matched; none: the default message
    std::string leadingMessage;             // put in front of the reply
    std::string reply;                      // what is sent
    data::FileStatus fileError;             // data.dat could not be read: no entry was found
};

// The text without the captions of the checked Ignore boxes, taken in index order.
std::string RemoveIgnoredTexts(std::string text, const Controls& controls);

// The reply to lastMessage, the buddy's latest message with its "<buddy>:" label (an empty
// buddy name removes no label), looked up in dataFile as it is on disk now.
ReplyExplanation ExplainReply(std::string lastMessage, const std::string& buddyName,
                              const Controls& controls, const std::filesystem::path& dataFile,
                              data::FileOps& files);

// The explanation as the user reads it in a message box.
std::string DescribeReply(const ReplyExplanation& explanation,
                          const std::filesystem::path& dataFile, bool unsavedEdits);

}  // namespace brevanto::core

#include "core/ReplyExplanation.h"

#include <utility>

#include "aim/modAIM.h"
#include "data/SafeFile.h"
#include "data/modFileIO.h"

namespace brevanto::core {

std::string RemoveIgnoredTexts(std::string text, const Controls& controls) {
    for (int index = 0; index < 3; ++index) {
        if (controls.IgnoreChecked(index)) {
            text = modAIM::ReplaceText(text, controls.IgnoreCaption(index), "");
        }
    }
    return text;
}

ReplyExplanation ExplainReply(std::string lastMessage, const std::string& buddyName,
                              const Controls& controls, const std::filesystem::path& dataFile,
                              data::FileOps& files) {
    ReplyExplanation explained;
    if (!buddyName.empty()) {
        lastMessage = modAIM::ReplaceText(lastMessage, buddyName + ":", "");
    }
    explained.message = RemoveIgnoredTexts(std::move(lastMessage), controls);
    explained.key = data::LookupKey(explained.message);

    auto found = data::FindEntryRowInFile(files, dataFile, explained.key);
    explained.fileError = found.error;
    explained.entry = std::move(found.value);
    // An entry with an empty response counts as none.
    std::string chosen = explained.entry ? explained.entry->response : std::string();
    if (chosen.empty()) {
        chosen = controls.DefaultMessage();
    }
    explained.leadingMessage = controls.LeadingMessage();
    explained.reply = std::string(modFileIO::Trim(explained.leadingMessage + " " + chosen));
    return explained;
}

std::string DescribeReply(const ReplyExplanation& explanation,
                          const std::filesystem::path& dataFile, bool unsavedEdits) {
    const std::string file = data::DisplayPath(dataFile);
    std::string text = "Message (speaker label and Ignore texts removed): \"" +
                       explanation.message + "\"\nKey looked up in " + file + ": \"" +
                       explanation.key + "\"\nEntry: ";
    if (explanation.entry) {
        text += "row " + std::to_string(explanation.entry->row + 1) + ", \"" +
                explanation.entry->line + "\"";
        if (explanation.entry->response.empty()) {
            text += " (empty response: the default message)";
        }
    } else {
        text += "no entry: the default message";
    }
    text += "\nLeading message: \"" + explanation.leadingMessage + "\"\nReply: \"" +
            explanation.reply + "\"";
    if (explanation.fileError) {
        text += "\n\nThe data file could not be read, so the default message is used. " +
                explanation.fileError->Message();
    }
    if (unsavedEdits) {
        text += "\n\nThe table has changes that are not saved yet. Replies come from " + file +
                ", so they answer only once saved.";
    }
    return text;
}

}  // namespace brevanto::core

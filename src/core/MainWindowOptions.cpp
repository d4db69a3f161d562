// The main window's procedures beyond the table: testing a message, the reply limit, the
// conversations kept on disk and the options remembered in brevanto.ini.
#include <utility>

#include "core/MainWindow.h"
#include "core/ReplyExplanation.h"
#include "data/ConversationFiles.h"
#include "data/SafeFile.h"

namespace brevanto::core {

namespace {

const std::string kApplicationTitle;  // empty: the box carries "Brevanto"

}  // namespace

void MainWindow::TestAMessage() {
    const std::string typed = controls_.InputBox(
        "Type a message as a buddy would send it. Brevanto shows the reply it would send and why.",
        "Test a Message", "");
    if (typed.empty()) {
        return;  // Cancel
    }
    // No speaker label to remove: the typed text is the message itself.
    const ReplyExplanation explained = ExplainReply(typed, "", controls_, dataFile_, files_);
    controls_.MsgBox(DescribeReply(explained, dataFile_, HasUnsavedEdits()), kOkOnly,
                     "Test a Message");
}

void MainWindow::ToggleKeepConversations() {
    keepConversations_ = !keepConversations_;
    controls_.ShowOptions(keepConversations_, replyLimit_.Minutes());
    OptionsChanged();
}

void MainWindow::AskReplyLimit() {
    const std::string typed = controls_.InputBox(
        "Answer each buddy at most once every N minutes. A buddy's window that comes sooner is "
        "logged and closed without a reply.\nN (0 for no limit):",
        "Reply Limit", std::to_string(replyLimit_.Minutes()));
    const std::optional<int> minutes = data::ParseMinutes(typed);
    if (minutes) {
        replyLimit_.SetMinutes(*minutes);
    } else if (!typed.empty()) {  // "" is Cancel
        controls_.MsgBox("The reply limit must be a whole number of minutes from 0 to " +
                             std::to_string(data::kMaxReplyLimitMinutes) +
                             ". The limit was left as it was.",
                         kOkOnly, kApplicationTitle);
    }
    // Shown on every way out: a menu item may have flipped its own check mark.
    controls_.ShowOptions(keepConversations_, replyLimit_.Minutes());
    OptionsChanged();
}

data::Settings MainWindow::CurrentSettings() const {
    data::Settings settings;
    settings.leadingMessage = controls_.LeadingMessage();
    settings.defaultMessage = controls_.DefaultMessage();
    for (int index = 0; index < 3; ++index) {
        settings.ignoreChecked[static_cast<std::size_t>(index)] = controls_.IgnoreChecked(index);
    }
    settings.keepConversations = keepConversations_;
    settings.replyLimitMinutes = replyLimit_.Minutes();
    return settings;
}

void MainWindow::OptionsChanged() {
    if (!optionsLoaded_) {
        return;
    }
    const data::Settings settings = CurrentSettings();
    if (settings == writtenSettings_) {
        return;
    }
    const std::filesystem::path file = data::SettingsFile(dataFile_);
    if (const auto error = data::ReplaceFile(files_, file, data::FormatSettings(settings))) {
        // Kept as they are on screen; the next change tries again.
        controls_.ShowStatus("The options could not be saved. " + error->Message());
        return;
    }
    writtenSettings_ = settings;
}

// Without a readable brevanto.ini the controls keep the values they start with.
void MainWindow::LoadOptions() {
    optionsLoaded_ = false;
    const std::filesystem::path file = data::SettingsFile(dataFile_);
    const auto inspected = data::InspectFile(files_, file);
    if (!inspected.ok() || inspected.value.kind != data::FileKind::Missing) {
        const auto bytes = inspected.ok() ? data::ReadWholeFile(files_, file)
                                          : data::FileResult<std::string>{{}, inspected.error};
        const std::optional<data::Settings> read =
            bytes.ok() ? data::ParseSettings(bytes.value) : std::nullopt;
        if (read) {
            controls_.SetLeadingMessage(read->leadingMessage);
            controls_.SetDefaultMessage(read->defaultMessage);
            for (int index = 0; index < 3; ++index) {
                controls_.SetIgnoreChecked(index,
                                           read->ignoreChecked[static_cast<std::size_t>(index)]);
            }
            keepConversations_ = read->keepConversations;
            replyLimit_.SetMinutes(read->replyLimitMinutes);
        } else {
            controls_.ShowStatus(
                "The options in " + data::DisplayPath(file) +
                (bytes.ok() ? " are damaged" : " could not be read (" + bytes.error->reason + ")") +
                ", so Brevanto started with its usual options.");
        }
    }
    controls_.ShowOptions(keepConversations_, replyLimit_.Minutes());
    writtenSettings_ = CurrentSettings();
    optionsLoaded_ = true;
}

void MainWindow::KeepConversation(const std::string& buddyName, const std::string& text) {
    const std::filesystem::path file = data::ConversationFile(dataFile_, buddyName);
    const std::string entry = data::ConversationEntry(data::Timestamp(replyLimit_.Now()), text);
    if (const auto error = data::AppendToFile(files_, file, entry)) {
        // The responder goes on; the conversation is still in the log on screen.
        controls_.ShowStatus("The conversation with " + buddyName + " could not be kept. " +
                             error->Message());
    }
}

}  // namespace brevanto::core

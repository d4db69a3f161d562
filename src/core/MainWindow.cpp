#include "core/MainWindow.h"

#include <utility>

#include "aim/modAIM.h"
#include "aim/text/TranscriptText.h"
#include "core/ReplyExplanation.h"
#include "data/Learning.h"
#include "data/SafeFile.h"
#include "data/TableFile.h"
#include "data/modFileIO.h"

namespace brevanto::core {

namespace {

constexpr const char* kIMWindowClass = "AIM_IMessage";
constexpr const char* kTranscriptPaneClass = "WndAte32Class";

// An empty title gives the box the application title.
const std::string kApplicationTitle;

constexpr const char* kNotice =
    "This will close all current IM windows, "
    "and you will also not be able to view any IM windows "
    "when the program is running. But don't worry, the messages will "
    "be saved and you can view them on the box on the right side. "
    "Do you want to continue?";

// Rows named in the question before a save; more are counted.
constexpr int kRowsNamed = 10;
// Long messages are cut in the question.
constexpr std::size_t kMessageShown = 40;

}  // namespace

MainWindow::MainWindow(aim::WindowSystem& windows, Controls& controls,
                       std::filesystem::path dataFile, data::FileOps& files)
    : windows_(windows), controls_(controls), dataFile_(std::move(dataFile)), files_(files) {}

void MainWindow::ReportFileError(const std::string& what, const data::FileError& error) {
    controls_.MsgBox(what + "\n" + error.Message(), kOkOnly, kApplicationTitle);
}

// ---------------------------------------------------------------------------------------
// Start-up

void MainWindow::Form_Load(const WindowGeometry& geometry) {
    layout_ = ComputeLayout(geometry);

    // Saves cut short by a crash leave their temporary files behind; nothing else needs them.
    data::RemoveLeftoverTemporaries(files_, dataFile_);
    LoadDataFile();
    controls_.TableChanged();

    mode_ = ModeControls{};
    controls_.ApplyMode(mode_);
    LoadOptions();
}

// An existing file is never opened for writing here: a read-only file loads, and only a
// missing one is created.
void MainWindow::LoadDataFile() {
    auto file = data::InspectFile(files_, dataFile_);
    if (file.ok() && file.value.kind == data::FileKind::Missing) {
        if (const auto error = modFileIO::CreateIfMissing(dataFile_, files_)) {
            StartEmpty("The data file could not be created. The message table starts empty.",
                       *error);
            return;
        }
        file = data::InspectFile(files_, dataFile_);
    }
    data::FileStatus error = file.error;
    if (!error) {
        error = modFileIO::LoadGrid(dataFile_, table_, files_);
    }
    if (error) {
        StartEmpty("The data file could not be read. The message table starts empty.", *error);
        return;
    }
    storedFile_ = file.value;
    storedTable_ = table_;
}

void MainWindow::StartEmpty(const std::string& what, const data::FileError& error) {
    table_.SetRows(0);
    storedTable_ = table_;
    storedFile_.reset();
    loadError_ = error;
    ReportFileError(what, error);
}

// ---------------------------------------------------------------------------------------
// The auto-respond cycle

void MainWindow::tmrCheckMessage_Timer() {
    const aim::Hwnd imWindow = windows_.FindWindowA(kIMWindowClass, nullptr);
    if (imWindow > 0) {
        RespondToIM(modAIM::GetIMBuddyName(windows_, imWindow), imWindow);
    }
}

void MainWindow::RespondToIM(const std::string& buddyName, aim::Hwnd imWindow) {
    const aim::Hwnd pane = windows_.FindWindowExA(imWindow, 0, kTranscriptPaneClass, nullptr);
    std::string message = modAIM::GetText(windows_, pane);
    if (message.empty()) {
        // Nothing has been said yet: the window waits for a later tick.
        return;
    }
    message = modAIM::HTMLToText(message);

    // An empty name would be found everywhere and answer nothing sensible: such a window
    // is only logged and closed.
    if (!buddyName.empty() && message.find(buddyName) != std::string::npos) {
        message = modAIM::ReplaceText(message, "\n", " ");
        message = modAIM::GetLastMessage(windows_, message, buddyName);
        if (message != modAIM::NulMarker) {
            if (!replyLimit_.Allows(buddyName)) {
                // Two auto-responders would otherwise answer each other for ever.
                LogConversation(pane, imWindow, buddyName,
                                "(Brevanto did not answer: " + buddyName +
                                    " was answered less than " +
                                    std::to_string(replyLimit_.Minutes()) + " minutes ago.)");
                return;
            }
            const ReplyExplanation reply =
                ExplainReply(std::move(message), buddyName, controls_, dataFile_, files_);
            if (reply.fileError) {
                // The responder must not stall on a modal box: it answers with the default
                // message and says why where the user will see it.
                controls_.ShowStatus(
                    "The data file could not be read, so the default "
                    "message was sent. " +
                    reply.fileError->Message());
            }
            modAIM::SendIM(windows_, imWindow, reply.reply);
            replyLimit_.Replied(buddyName);
        }
    }
    LogConversation(pane, imWindow, buddyName);
}

std::string MainWindow::RemoveIgnored(std::string text) const {
    return RemoveIgnoredTexts(std::move(text), controls_);
}

void MainWindow::LogConversation(aim::Hwnd pane, aim::Hwnd imWindow, const std::string& buddyName,
                                 const std::string& note) {
    // Read again: the pane now holds the reply too.
    std::string paneText = modAIM::HTMLToText(modAIM::GetText(windows_, pane));
    if (!note.empty()) {
        if (!paneText.empty() && paneText.back() != '\n') {
            paneText += '\n';
        }
        paneText += note + '\n';
    }
    const auto logged = log_.Record(buddyName, paneText);
    if (logged.isNewBuddy) {
        controls_.AddBuddyToList(buddyName);
    }
    if (keepConversations_) {
        KeepConversation(buddyName, paneText);
    }
    modAIM::CloseWindow(windows_, imWindow);
    ShowConversation(static_cast<int>(logged.index));
}

void MainWindow::ShowConversation(int index) {
    const auto& records = log_.Records();
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
        return;
    }
    const Conversation& record = records[static_cast<std::size_t>(index)];
    // The log box is set once: with a long log every setting costs the window a layout of
    // the whole text. Selecting raises no event, and the selected name's record is this one
    // (names are unique in the log), so the selection needs no display of its own.
    controls_.SetLogText(record.Transcript);
    const int count = controls_.BuddyListCount();
    for (int position = 0; position < count; ++position) {
        if (controls_.BuddyListItem(position) == record.BuddyName) {
            controls_.SelectBuddy(position);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------
// The mode switch

void MainWindow::ToggleAutoRespond() {
    if (mode_.checkMessageTimerEnabled) {
        mode_ = ModeControls{};
        controls_.ApplyMode(mode_);
        return;
    }
    if (controls_.MsgBox(kNotice, kYesNo, "Notice") == kNo) {
        return;
    }
    mode_ = AutoRespondControls();
    controls_.ApplyMode(mode_);
}

// ---------------------------------------------------------------------------------------
// Writing, saving and learning the table

// The file that storing the rows one by one leaves, keys filtered like incoming messages.
std::vector<std::string> MainWindow::TableFileLines() const {
    const int rows = table_.Rows();
    std::vector<modFileIO::TablePair> pairs;
    pairs.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        pairs.push_back({RemoveIgnored(table_.Cell(row, 0)), table_.Cell(row, 1)});
    }
    return modFileIO::TableLines(pairs);
}

void MainWindow::ReportSaveError(const data::FileError& error) {
    ReportFileError(error.replaced
                        ? "The message table was written, but the system could not confirm "
                          "that it is stored for good."
                        : "The message table could not be saved. The data file was left as "
                          "it was.",
                    error);
}

bool MainWindow::SaveGrid(const std::filesystem::path& path) {
    const int rows = table_.Rows();
    if (const auto error = modFileIO::WriteLines(path, TableFileLines(), files_)) {
        ReportSaveError(*error);
        return false;
    }
    if (rows > 0) {
        // The row-by-row walk over the table leaves the current cell on its last cell.
        table_.SetRow(rows - 1);
        table_.SetCol(1);
        controls_.TableChanged();
    }
    return true;
}

// Writing the table and sorting the file are one replacement of the file: a crash or a
// failure leaves either the old file or the finished one, never the unsorted table between.
bool MainWindow::StoreAndReload() {
    if (!ConfirmSave()) {
        return false;
    }
    const std::string sorted = modFileIO::SortedContent(modFileIO::JoinLines(TableFileLines()));
    if (const auto error = data::ReplaceFile(files_, dataFile_, sorted)) {
        ReportSaveError(*error);
        return false;
    }
    loadError_.reset();
    // Inspected before reading: a change in between shows as a change at the next save.
    const auto file = data::InspectFile(files_, dataFile_);
    data::MessageTable reloaded;
    data::FileStatus error = file.error;
    if (!error) {
        error = modFileIO::LoadGrid(dataFile_, reloaded, files_);
    }
    if (error) {
        storedFile_.reset();
        ReportFileError("The saved data file could not be read back.", *error);
        return false;
    }
    table_ = std::move(reloaded);
    storedFile_ = file.value;
    storedTable_ = table_;
    lostCells_.clear();
    controls_.TableChanged();
    return true;
}

bool MainWindow::ConfirmSave() {
    if (!ConfirmRows()) {
        return false;
    }
    const auto file = data::InspectFile(files_, dataFile_);
    if (!file.ok()) {
        ReportSaveError(*file.error);
        return false;
    }
    if (file.value.kind == data::FileKind::Missing) {
        return true;  // nothing there to lose
    }
    const std::string path = data::DisplayPath(dataFile_);
    const std::string choice =
        "\nClick OK to replace it, or Cancel to keep it and go back to the table.";
    if (loadError_) {
        return controls_.MsgBox("The data file could not be loaded when Brevanto started:\n" +
                                    loadError_->Message() +
                                    "\nSaving replaces its current content with the table on "
                                    "screen." +
                                    choice,
                                kOkCancel, kApplicationTitle) == kOk;
    }
    if (storedFile_ && !storedFile_->SameVersion(file.value)) {
        return controls_.MsgBox(
                   path +
                       " was changed outside Brevanto since it was loaded or saved.\nSaving "
                       "replaces those changes with the table on screen." +
                       choice,
                   kOkCancel, kApplicationTitle) == kOk;
    }
    return true;
}

// A "=" in a message ends the message when the file is read again, and the input box has
// already turned characters the code page lacks into "?": the user sees which rows before
// anything is written.
bool MainWindow::ConfirmRows() {
    std::string listed;
    int count = 0;
    for (int row = 0; row < table_.Rows(); ++row) {
        const bool splits =
            modFileIO::StoredMessage(RemoveIgnored(table_.Cell(row, 0))).find('=') !=
            std::string::npos;
        const bool lost = lostCells_.contains({row, 0}) || lostCells_.contains({row, 1});
        if (!splits && !lost) {
            continue;
        }
        if (++count > kRowsNamed) {
            continue;
        }
        listed += "\nRow " + std::to_string(row + 1) + " (" +
                  table_.Cell(row, 0).substr(0, kMessageShown) + "): ";
        listed += splits ? "the \"=\" in the message splits it when the file is read again."
                         : "characters the code page cannot hold are stored as \"?\".";
    }
    if (count == 0) {
        return true;
    }
    if (count > kRowsNamed) {
        listed += "\n... and " + std::to_string(count - kRowsNamed) + " more rows.";
    }
    return controls_.MsgBox("Some rows will not be stored as they are shown:" + listed +
                                "\nClick OK to save anyway, or Cancel to go back to the table.",
                            kOkCancel, kApplicationTitle) == kOk;
}

bool MainWindow::QueryUnload() {
    if (!HasUnsavedEdits()) {
        return true;
    }
    const int answer = controls_.MsgBox(
        "The message table has changes that are not saved in " + data::DisplayPath(dataFile_) +
            ".\nSave them before closing?\n(Yes saves them, No discards them, Cancel goes back.)",
        kYesNoCancel, kApplicationTitle);
    if (answer == kYes) {
        // A failed or cancelled save keeps the window open, so nothing is lost.
        return StoreAndReload();
    }
    return answer == kNo;
}

void MainWindow::SaveData() {
    if (StoreAndReload()) {
        controls_.MsgBox("The message was saved!", kOkOnly, "Done");
    }
}

void MainWindow::LearnAndSave() {
    if (!LearnConversation()) {
        controls_.MsgBox("The program didn't learn anything.", kOkOnly, "Sorry!");
        return;
    }
    if (StoreAndReload()) {
        controls_.MsgBox("The program has learn the conversations and the data was saved!", kOkOnly,
                         "Done");
    }
}

bool MainWindow::LearnConversation() {
    // While the box is open the user clicks the wanted IM window, bringing it to the front.
    if (controls_.MsgBox("Click on the IM box then click OK to learn.", kOkCancel,
                         "Learning Conversations") == kCancel) {
        return false;
    }
    const aim::Hwnd imWindow = windows_.FindWindowA(kIMWindowClass, nullptr);
    const std::string transcript =
        modAIM::ReplaceText(modAIM::GetIMText(windows_, imWindow), "\n", " ");
    const std::string buddyLabel = modAIM::GetIMBuddyName(windows_, imWindow) + ": ";
    const std::string userLabel = modAIM::GetMyScreenName(windows_) + ": ";

    const auto pairs = data::SplitConversation(transcript, buddyLabel, userLabel);
    for (const auto& pair : pairs) {
        table_.SetRows(table_.Rows() + 1);
        table_.SetRow(table_.Rows() - 1);
        table_.SetCol(0);
        table_.SetText(pair.message);
        table_.SetCol(1);
        table_.SetText(pair.answer);
    }
    if (!pairs.empty()) {
        controls_.TableChanged();
    }
    return !pairs.empty();
}

// ---------------------------------------------------------------------------------------
// Table editing and the buddy list

void MainWindow::AddMessageRow() {
    table_.SetRows(table_.Rows() + 1);
    table_.SetRow(table_.Rows() - 1);
    table_.SetCol(0);
    controls_.TableChanged();
}

void MainWindow::flexGrid_Click() {
    if (table_.Rows() == 0) {
        // No rows, no current cell: there is nothing to edit.
        return;
    }
    const std::string prompt = std::string("Enter new value for the row ") + "\r" +
                               "Click OK to save. Click CANCEL to clear.";
    // Cancel returns "", which clears the cell, as the prompt says.
    table_.SetText(controls_.InputBox(prompt, kApplicationTitle, table_.Text()));
    const std::pair<int, int> cell{table_.Row(), table_.Col()};
    if (controls_.InputLostCharacters()) {
        lostCells_.insert(cell);
    } else {
        lostCells_.erase(cell);
    }
    controls_.TableChanged();
}

void MainWindow::cboTextMessage_Click(const std::string& selectedName) {
    if (const auto index = log_.Find(selectedName)) {
        controls_.SetLogText(log_.Records()[*index].Transcript);
    }
}

}  // namespace brevanto::core

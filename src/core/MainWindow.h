#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "aim/WindowSystem.h"
#include "core/Controls.h"
#include "core/ConversationLog.h"
#include "core/Layout.h"
#include "core/ReplyLimit.h"
#include "data/FileError.h"
#include "data/FileOps.h"
#include "data/MessageTable.h"
#include "data/SettingsFile.h"

// The main window's state and procedures, without widgets: start-up, the auto-respond
// tick, the mode switch, writing, saving and learning the table, and table editing. The Qt
// window owns one, wires its widgets to these procedures and implements Controls.
namespace brevanto::core {

class MainWindow {
  public:
    // files is the file layer every read and write of the data file goes through; tests
    // give one that fails on purpose.
    MainWindow(aim::WindowSystem& windows, Controls& controls,
               std::filesystem::path dataFile = "data.dat",
               data::FileOps& files = data::SystemFileOps());

    // Start-up: layout offsets, data file created when missing and loaded into the table,
    // the idle mode applied to the controls. An existing file is only read. A file that
    // cannot be created or read, or that is no regular file (a FIFO, a device, a folder),
    // is reported in a message box and the table starts empty; the program runs on.
    void Form_Load(const WindowGeometry& geometry);
    const LayoutOffsets& Layout() const { return layout_; }

    // The auto-respond cycle. A tick handles at most the front-most IM window.
    void tmrCheckMessage_Timer();
    void RespondToIM(const std::string& buddyName, aim::Hwnd imWindow);
    // The text without the captions of the checked Ignore boxes, taken in index order.
    std::string RemoveIgnored(std::string text) const;
    // A note, when given, is logged as the transcript's last line.
    void LogConversation(aim::Hwnd pane, aim::Hwnd imWindow, const std::string& buddyName,
                         const std::string& note = {});
    // Shows the record and selects its buddy in the list; an index without a record is
    // ignored.
    void ShowConversation(int index);

    // The mode switch, shared by cmdStart, mnuStart and mnuStop.
    void ToggleAutoRespond();
    const ModeControls& Mode() const { return mode_; }

    // Writing, saving and learning the table. SaveGrid writes the whole table in one
    // crash-safe replacement of the file and reports whether the file was written; a
    // failure is shown in a message box and leaves the file and the table as they were.
    bool SaveGrid(const std::filesystem::path& path);
    // Saving and learning store the table already sorted, in one replacement of the file,
    // and then show it as stored. Before writing they ask, and stop on Cancel, when a row
    // would not read back as shown ("=" in a message, characters the code page lacks), when
    // the file could not be loaded at start-up, or when it changed on disk since it was
    // loaded or saved.
    void SaveData();
    void LearnAndSave();
    bool LearnConversation();

    // Closing the window and Exit ask this first. With table edits not in the data file it
    // asks Yes (save), No (discard) or Cancel; true when the program may end.
    bool QueryUnload();
    // Whether the table differs from the data file as last loaded or saved.
    bool HasUnsavedEdits() const { return !table_.SameCells(storedTable_); }

    // Table editing and the buddy list.
    void AddMessageRow();
    void flexGrid_Click();  // edit the current cell through the input box
    void cboTextMessage_Click(const std::string& selectedName);

    // Beyond the table (MainWindowOptions.cpp): "&Test a Message..." shows the reply a
    // message would get and why, from data.dat as a tick reads it; the reply limit and the
    // conversations kept in logs/ beside data.dat; the options remembered in brevanto.ini,
    // read at start and written whenever one changes.
    void TestAMessage();
    void ToggleKeepConversations();
    void AskReplyLimit();
    // The window calls this after the user changed a text box or an Ignore box.
    void OptionsChanged();
    data::Settings CurrentSettings() const;
    // The clock of the reply limit and of the kept conversations' headings.
    void SetClock(Clock clock) { replyLimit_.SetClock(std::move(clock)); }
    // Deleting, importing and exporting rows (TableCommands.cpp). More than one row is
    // deleted only after the user says Yes; positions outside the table are ignored.
    void DeleteRows(const std::vector<int>& rows);
    // Asks for a file and merges its pairs into the table, the table's responses winning,
    // then says how many pairs were added, kept and skipped, and why.
    void ImportTable();
    // Asks for a file name and writes the table there: CSV for a ".csv" name, else in the
    // form the data file is saved in.
    void ExportTable();

    data::MessageTable& Table() { return table_; }
    const data::MessageTable& Table() const { return table_; }
    const std::vector<Conversation>& Conversations() const { return log_.Records(); }
    const std::filesystem::path& DataFile() const { return dataFile_; }

  private:
    // The save steps that follow a change of the table: write, sort, reload. On failure
    // the problem has been shown and false is returned.
    bool StoreAndReload();
    // The questions before a save; false when the user went back or the file cannot be
    // checked (then shown).
    bool ConfirmSave();
    bool ConfirmRows();
    void LoadDataFile();
    void StartEmpty(const std::string& what, const data::FileError& error);
    std::vector<std::string> TableFileLines() const;
    void ReportSaveError(const data::FileError& error);
    void ReportFileError(const std::string& what, const data::FileError& error);
    void LoadOptions();
    void KeepConversation(const std::string& buddyName, const std::string& text);

    aim::WindowSystem& windows_;
    Controls& controls_;
    std::filesystem::path dataFile_;
    data::FileOps& files_;
    data::MessageTable table_;
    ConversationLog log_;
    LayoutOffsets layout_;
    ModeControls mode_;

    // The data file and the table as last loaded or saved, to tell edits on either side.
    std::optional<data::FileInfo> storedFile_;  // none before loading or after a failed one
    data::MessageTable storedTable_;
    std::optional<data::FileError> loadError_;  // why start-up could not load the file
    // Cells whose typed text lost characters to the code page: (row, column).
    std::set<std::pair<int, int>> lostCells_;

    ReplyLimit replyLimit_;
    bool keepConversations_ = false;
    // The options as brevanto.ini holds them (the start values when it is missing or
    // damaged); a change is written only when the options differ from these.
    data::Settings writtenSettings_;
    bool optionsLoaded_ = false;  // changes before and while loading are not written
};

}  // namespace brevanto::core

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "aim/WindowSystem.h"
#include "core/Controls.h"
#include "data/MessageTable.h"

// The main window's state and procedures, without widgets: start-up, the auto-respond
// tick, the mode switch, writing, saving and learning the table, and table editing. The Qt
// window owns one, wires its widgets to these procedures and implements Controls.
namespace brevanto::core {

struct Conversation {
    std::string BuddyName;
    std::string Transcript;
};

// Sizes in twips that the layout offsets are taken from at load.
struct WindowGeometry {
    double windowWidth = 0;
    double windowHeight = 0;
    double gridHeight = 0;
    double frameTop = 0;
    double logHeight = 0;
    double gridWidth = 0;
};

struct LayoutOffsets {
    std::int32_t GridHeightOffset = 0;
    std::int32_t FrameTopOffset = 0;
    std::int32_t LogHeightOffset = 0;
    std::int32_t FixedFormWidth = 0;
    std::int32_t ColumnWidth = 0;  // both grid columns
};

class MainWindow {
public:
    MainWindow(aim::WindowSystem& windows, Controls& controls,
               std::filesystem::path dataFile = "data.dat");

    // Start-up: layout offsets, data file created when missing and loaded into the table.
    // A file that cannot be created or read is reported in a message box and the table
    // starts empty.
    void Form_Load(const WindowGeometry& geometry);
    const LayoutOffsets& Layout() const { return layout_; }

    // The auto-respond cycle.
    void tmrCheckMessage_Timer();
    void RespondToIM(const std::string& buddyName, aim::Hwnd imWindow);
    std::string RemoveIgnored(std::string text) const;
    void LogConversation(aim::Hwnd pane, aim::Hwnd imWindow, const std::string& buddyName);
    void ShowConversation(int index);

    // The mode switch, shared by cmdStart, mnuStart and mnuStop.
    void ToggleAutoRespond();
    const ModeControls& Mode() const { return mode_; }

    // Writing, saving and learning the table. SaveGrid reports whether the file was written.
    bool SaveGrid(const std::filesystem::path& path);
    void SaveData();
    void LearnAndSave();
    bool LearnConversation();

    // Table editing and the buddy list.
    void AddMessageRow();
    void flexGrid_Click();  // edit the current cell through the input box
    void cboTextMessage_Click(const std::string& selectedName);

    data::MessageTable& Table() { return table_; }
    const data::MessageTable& Table() const { return table_; }
    const std::vector<Conversation>& Conversations() const { return conversations_; }

private:
    aim::WindowSystem& windows_;
    Controls& controls_;
    std::filesystem::path dataFile_;
    data::MessageTable table_;
    std::vector<Conversation> conversations_;
    LayoutOffsets layout_;
    ModeControls mode_;
};

}  // namespace brevanto::core

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// These name constants as the Windows headers' macros do, so they come first.
#include "aim/WindowSystem.h"
#include "core/Controls.h"
#include "core/MainWindow.h"
#include "ui/tray/classTrayIcon.h"

#include <windows.h>

#include "ui/win32/Fonts.h"
#include "ui/win32/GridView.h"
#include "ui/win32/LogBox.h"
#include "ui/win32/ProgressBox.h"
#include "ui/win32/ShellNotifyIcon.h"
#include "ui/win32/Twips.h"

// The main window on Windows: the message table with the reply options and buttons beneath
// it, the conversation log with its buddy list beside it, a menu bar repeating the actions,
// and the tray icon. It owns the core's MainWindow, passes every control's event to its
// procedures and shows the core its controls, as the Qt window does with its widgets.
// Controls are placed in twips through the screen's pixels per inch; only the window's
// height can change, and the grid, the log and the frame of options follow it.
namespace brevanto::win32ui {

class frmAbout;

class frmBrevanto : public core::Controls {
  public:
    frmBrevanto(aim::WindowSystem& windows, std::filesystem::path dataFile = "data.dat");
    ~frmBrevanto() override;
    frmBrevanto(const frmBrevanto&) = delete;
    frmBrevanto& operator=(const frmBrevanto&) = delete;

    // Creates the window and its controls, loads the table, adds the tray icon and shows the
    // window. False if the window could not be created.
    bool Create(int showCommand);
    HWND Handle() const { return window_; }
    // Keyboard navigation between the controls (Tab, access keys) for the message loop.
    bool PreTranslate(MSG& message);

    // Controls
    std::string LeadingMessage() const override;
    std::string DefaultMessage() const override;
    bool IgnoreChecked(int index) const override;
    std::string IgnoreCaption(int index) const override;
    void ApplyMode(const core::ModeControls& mode) override;
    void SetLeadingMessage(const std::string& text) override;
    void SetDefaultMessage(const std::string& text) override;
    void SetIgnoreChecked(int index, bool checked) override;
    void ShowOptions(bool keepConversations, int replyLimitMinutes) override;
    void SetLogText(const std::string& text) override;
    void AddBuddyToList(const std::string& name) override;
    int BuddyListCount() const override;
    std::string BuddyListItem(int index) const override;
    void SelectBuddy(int index) override;
    void TableChanged() override;
    void ShowStatus(const std::string& text) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    bool InputLostCharacters() const override;
    std::filesystem::path ChooseFile(core::FileChoice purpose) override;
    bool ShowProgress(const std::string& text, double share) override;
    void EndProgress() override;

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void BuildControls();
    HMENU BuildMenus();
    void Form_Load();
    void Form_Resize();
    void LimitSize(MINMAXINFO& limits) const;
    void OnCommand(int id, int notification);
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    void flexGrid_Click();
    void cboTextMessage_Click();
    void mnuAbout_Click();
    void TrayIcon_MouseMessage(unsigned message);
    void tmrMin_Timer();
    void StartMinTimer();
    void EndProgram();
    // The table's further commands and the tray's mode and menu (TableCommands.cpp).
    bool OnTableCommand(int id);
    std::optional<LRESULT> OnGridKey(const NMHDR& header);
    void EditCurrentCell();
    void ShowTrayMode(const core::ModeControls& mode);
    void ShowFromTray();
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    // Places a control given in twips; a control of the frame is placed relative to it.
    void Place(int id, int left, int top, int width, int height) const;

    TwipsScale scale_;
    Fonts fonts_;
    core::MainWindow core_;
    ShellNotifyIcon trayBackend_;
    ui::classTrayIcon mySysTray_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HICON largeIcon_ = nullptr;   // the About box's
    HICON markedIcon_ = nullptr;  // the tray's while answering
    UINT taskbarCreated_ = 0;
    std::unique_ptr<GridView> grid_;
    LogBox log_;
    frmAbout* aboutBox_ = nullptr;
    ProgressBox progress_{scale_, fonts_};
    int frameTop_ = 0;  // twips; the frame's children move with it
    bool loaded_ = false;
    bool ended_ = false;
    bool inputLostCharacters_ = false;
};

}  // namespace brevanto::win32ui

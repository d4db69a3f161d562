#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <filesystem>

#include "aim/WindowSystem.h"
#include "core/Controls.h"
#include "core/MainWindow.h"
#include "ui/dialogs/ProgressBox.h"
#include "ui/tray/QtNotifyIcon.h"
#include "ui/tray/classTrayIcon.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The main window: the message table with the reply options and buttons beneath it, the
// conversation log with its buddy list beside it, a menu bar repeating the actions, and the
// tray icon. It owns the core's MainWindow, wires every widget to its procedures and shows
// the core its controls. Geometry is fixed in twips at 15 per pixel, with no layouts, so
// the window keeps its proportions; only its height can change.
//
// "Window height" is the window's frame-less height: menu bar, client area and status bar.
namespace brevanto::ui {

class LogBox;
class MessageTableModel;
class TrayMenu;
class frmAbout;

class frmBrevanto : public QMainWindow, public core::Controls {
    Q_OBJECT
  public:
    explicit frmBrevanto(aim::WindowSystem& windows, std::filesystem::path dataFile = "data.dat",
                         QWidget* parent = nullptr);
    ~frmBrevanto() override;

    // Takes the layout offsets from the design sizes, loads the table and adds the tray
    // icon. Runs once, before the window is first shown.
    void Form_Load();

    core::MainWindow& Core() { return core_; }
    classTrayIcon& MySysTray() { return mySysTray_; }
    QtNotifyIcon& TrayBackend() { return trayBackend_; }

    // What a mouse message from the tray icon does: pointer-over refreshes the tip, a left
    // button going down closes the About box and shows or hides the window.
    void TrayIcon_MouseMessage(unsigned message);
    // Hides a minimised window into the tray, where there is a tray icon to bring it back.
    void tmrMin_Timer();

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
    bool InputLostCharacters() const override { return inputLost_; }
    std::filesystem::path ChooseFile(core::FileChoice purpose) override;
    bool ShowProgress(const std::string& text, double share) override {
        return progress_.Show(text, share);
    }
    void EndProgress() override { progress_.End(); }

    // Lets "P&ractice Window" bring back `practice`, the simulated client's window.
    void AddPracticeWindow(QWidget* practice);
    // Shows the practice window beside this one, once this one is on the screen.
    void ShowPracticeWindow();

  signals:
    // Closing the window or "E&xit": the tray icon is gone and the program should end.
    void programEnded();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    void SetTabOrder();
    void Connect();
    void Form_Resize();
    void EndProgram();
    void mnuAbout_Click();
    void flexGrid_Click(const QModelIndex& index);
    void SyncCurrentCellToView();
    // The table's commands beyond the basic ones: delete, import, export, the keyboard and
    // the tray's mode and menu.
    void ConnectTableCommands();
    void ShowWindowFromTray();

    core::MainWindow core_;
    MessageTableModel* model_ = nullptr;
    QtNotifyIcon trayBackend_;
    classTrayIcon mySysTray_;
    QPointer<frmAbout> aboutBox_;
    ProgressBox progress_{this};
    QPointer<QWidget> practice_;
    bool practicePending_ = false;
    bool loaded_ = false;
    bool syncingCell_ = false;
    bool ended_ = false;
    bool inputLost_ = false;

    QTimer tmrMin_;
    QTimer tmrCheckMessage_;

    QPushButton* cmdStart_ = nullptr;
    LogBox* rtbMessages_ = nullptr;
    QComboBox* cboTextMessage_ = nullptr;
    QGroupBox* fraControls_ = nullptr;
    std::array<QCheckBox*, 3> chkIgnore_{};
    QLineEdit* txtLeadingMessage_ = nullptr;
    QLineEdit* txtDefaultMessage_ = nullptr;
    QPushButton* cmdAdd_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdLearn_ = nullptr;
    QLabel* lblIgnore_ = nullptr;
    QLabel* lblLeadingMessage_ = nullptr;
    QLabel* lblDefaultMessage_ = nullptr;
    QLabel* picIcon_ = nullptr;
    QTableView* flexGrid_ = nullptr;
    QFrame* line2_ = nullptr;
    QFrame* line1_ = nullptr;
    QLabel* lblResponses_ = nullptr;
    QLabel* lblMessages_ = nullptr;

    QAction* mnuStart_ = nullptr;
    QAction* mnuStop_ = nullptr;
    QAction* mnuPractice_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuAdd_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuLearn_ = nullptr;
    QAction* mnuEmail_ = nullptr;
    QAction* mnuWeb_ = nullptr;
    QAction* mnuAbout_ = nullptr;
    QAction* mnuTestMessage_ = nullptr;
    QAction* mnuKeepConversations_ = nullptr;  // checkable
    QAction* mnuReplyLimit_ = nullptr;         // checked while a limit is set
    QAction* mnuDelete_ = nullptr;
    QAction* mnuImport_ = nullptr;
    QAction* mnuExport_ = nullptr;
    TrayMenu* trayMenu_ = nullptr;
};

}  // namespace brevanto::ui

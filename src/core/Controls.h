#pragma once

#include <filesystem>
#include <string>

// What the main window's procedures need of its controls and of the platform's modal
// boxes. The Qt window implements it over its widgets; HeadlessControls implements it
// over plain values for tests and for drivers without a display.
namespace brevanto::core {

// Message box button sets and answers, numbered as the platform numbers them.
enum MsgBoxStyle : int { kOkOnly = 0, kOkCancel = 1, kYesNoCancel = 3, kYesNo = 4 };
enum MsgBoxAnswer : int { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// The controls whose state follows the auto-respond mode. The mode itself is
// checkMessageTimerEnabled; nothing else records it.
struct ModeControls {
    bool checkMessageTimerEnabled = false;             // tmrCheckMessage.Enabled
    std::string startCaption = "&Start Auto Respond";  // cmdStart.Caption
    bool startMenuEnabled = true;                      // mnuStart.Enabled
    bool stopMenuEnabled = false;                      // mnuStop.Enabled
    bool learnButtonEnabled = true;                    // cmdLearn.Enabled
    bool learnMenuEnabled = true;                      // mnuLearn.Enabled

    bool operator==(const ModeControls&) const = default;
};

// The idle state is the default one above; this is the other.
inline ModeControls AutoRespondControls() {
    ModeControls mode;
    mode.checkMessageTimerEnabled = true;
    mode.startCaption = "Sto&p Auto Respond";
    mode.startMenuEnabled = false;
    mode.stopMenuEnabled = true;
    mode.learnButtonEnabled = false;
    mode.learnMenuEnabled = false;
    return mode;
}

// What a file dialog is for: a file to read from, or a name to write to.
enum class FileChoice { Import, Export };

class Controls {
  public:
    virtual ~Controls() = default;

    // Settings held in controls.
    virtual std::string LeadingMessage() const = 0;          // txtLeadingMessage.Text
    virtual std::string DefaultMessage() const = 0;          // txtDefaultMessage.Text
    virtual bool IgnoreChecked(int index) const = 0;         // chkIgnore(index).Value <> 0
    virtual std::string IgnoreCaption(int index) const = 0;  // chkIgnore(index).Caption

    virtual void ApplyMode(const ModeControls& mode) = 0;

    // The options remembered in brevanto.ini, put back into their controls at start.
    virtual void SetLeadingMessage(const std::string& text) = 0;
    virtual void SetDefaultMessage(const std::string& text) = 0;
    virtual void SetIgnoreChecked(int index, bool checked) = 0;
    // The check marks of "Keep &Conversations" and of "Reply &Limit..." (a limit is set).
    virtual void ShowOptions(bool keepConversations, int replyLimitMinutes) = 0;

    // The conversation log display: rtbMessages and the buddy list cboTextMessage.
    virtual void SetLogText(const std::string& text) = 0;
    virtual void AddBuddyToList(const std::string& name) = 0;
    virtual int BuddyListCount() const = 0;
    virtual std::string BuddyListItem(int index) const = 0;
    // Selects an entry without raising any event; the caller shows the record itself.
    virtual void SelectBuddy(int index) = 0;

    // The message table changed (rows, cells or current cell): the grid redraws.
    virtual void TableChanged() = 0;

    // A problem the user must see but that must not stop the responder (no modal box).
    virtual void ShowStatus(const std::string& text) = 0;

    // Modal boxes. An empty title means the application title, "Brevanto".
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // The typed text on OK; "" on Cancel or when the box is closed.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Whether the text the last InputBox returned lost characters that the ANSI code page
    // cannot hold (each became "?").
    virtual bool InputLostCharacters() const = 0;
    // The file chosen in the platform's file dialog; an empty path on Cancel.
    virtual std::filesystem::path ChooseFile(FileChoice purpose) = 0;
    // Long table work: the share done (0 to 1) under a text, in a box with a Cancel button
    // that shows only once the work takes a while; false when the user cancelled.
    // EndProgress closes the box.
    virtual bool ShowProgress(const std::string& text, double share) = 0;
    virtual void EndProgress() = 0;
};

}  // namespace brevanto::core

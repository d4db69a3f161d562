#pragma once

#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/Controls.h"

// Controls over plain values, for tests and for drivers that run without a display. The
// settings start with the values the window loads with; modal boxes answer from scripted
// queues and every box shown is recorded.
namespace brevanto::core {

struct ShownBox {
    enum class Kind { Message, Input };
    Kind kind = Kind::Message;
    std::string prompt;
    int style = kOkOnly;  // message boxes only
    std::string title;
    std::string defaultText;  // input boxes only

    bool operator==(const ShownBox&) const = default;
};

class HeadlessControls : public Controls {
  public:
    // Settings, as the window loads them.
    std::string leadingMessage;
    std::string defaultMessage = ":-)";
    std::array<bool, 3> ignoreChecked{true, true, true};
    std::array<std::string, 3> ignoreCaptions{"?", ".", "!"};

    // What the procedures put into the controls.
    ModeControls mode;
    std::string logText;
    int logTextSets = 0;  // how often the log box was set
    std::vector<std::string> buddyList;
    int selectedBuddy = -1;
    int tableChanges = 0;
    std::vector<std::string> statusMessages;
    bool keepConversationsShown = false;
    int replyLimitShown = 0;

    // Every box shown, in order.
    std::vector<ShownBox> boxes;
    // Answers for the next message boxes. With none left, a box answers with its first
    // button (OK or Yes), as pressing Enter would.
    std::deque<int> msgBoxAnswers;
    // Texts returned by the next input boxes ("" stands for Cancel). With none left, the
    // box returns its default text, as OK without typing would.
    std::deque<std::string> inputBoxAnswers;
    // Runs while a box is open, before it answers: the user's chance to act elsewhere,
    // such as clicking an IM window while the learning prompt waits.
    std::function<void(const ShownBox&)> whileBoxOpen;
    // What InputLostCharacters answers: as if the user typed characters the code page lacks.
    bool inputLost = false;
    // Files returned by the next file dialogs (an empty path stands for Cancel, and so does
    // an empty queue), and the purpose of every dialog shown.
    std::deque<std::filesystem::path> fileAnswers;
    std::vector<FileChoice> fileDialogs;
    // Every share a progress box was given, and how often one was closed. The user cancels
    // at the progress report numbered cancelAtReport (counted from 0), when set.
    std::vector<double> progressShares;
    int progressEnds = 0;
    int cancelAtReport = -1;

    std::string LeadingMessage() const override { return leadingMessage; }
    std::string DefaultMessage() const override { return defaultMessage; }
    bool IgnoreChecked(int index) const override;
    std::string IgnoreCaption(int index) const override;

    void ApplyMode(const ModeControls& newMode) override { mode = newMode; }

    void SetLeadingMessage(const std::string& text) override { leadingMessage = text; }
    void SetDefaultMessage(const std::string& text) override { defaultMessage = text; }
    void SetIgnoreChecked(int index, bool checked) override;
    void ShowOptions(bool keep, int limitMinutes) override {
        keepConversationsShown = keep;
        replyLimitShown = limitMinutes;
    }

    void SetLogText(const std::string& text) override {
        logText = text;
        ++logTextSets;
    }
    void AddBuddyToList(const std::string& name) override { buddyList.push_back(name); }
    int BuddyListCount() const override { return static_cast<int>(buddyList.size()); }
    std::string BuddyListItem(int index) const override;
    void SelectBuddy(int index) override { selectedBuddy = index; }

    void TableChanged() override { ++tableChanges; }
    void ShowStatus(const std::string& text) override { statusMessages.push_back(text); }

    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    bool InputLostCharacters() const override { return inputLost; }
    std::filesystem::path ChooseFile(FileChoice purpose) override;
    bool ShowProgress(const std::string& text, double share) override;
    void EndProgress() override { ++progressEnds; }
};

}  // namespace brevanto::core

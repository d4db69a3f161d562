#include "core/HeadlessControls.h"

#include <utility>

namespace brevanto::core {

namespace {

bool InRange(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

bool HeadlessControls::IgnoreChecked(int index) const {
    return InRange(index, ignoreChecked.size()) && ignoreChecked[index];
}

void HeadlessControls::SetIgnoreChecked(int index, bool checked) {
    if (InRange(index, ignoreChecked.size())) {
        ignoreChecked[static_cast<std::size_t>(index)] = checked;
    }
}

std::string HeadlessControls::IgnoreCaption(int index) const {
    return InRange(index, ignoreCaptions.size()) ? ignoreCaptions[index] : std::string();
}

std::string HeadlessControls::BuddyListItem(int index) const {
    return InRange(index, buddyList.size()) ? buddyList[index] : std::string();
}

int HeadlessControls::MsgBox(const std::string& prompt, int style, const std::string& title) {
    ShownBox box{ShownBox::Kind::Message, prompt, style, title, {}};
    boxes.push_back(box);
    if (whileBoxOpen) {
        whileBoxOpen(box);
    }
    if (msgBoxAnswers.empty()) {
        return style == kYesNo || style == kYesNoCancel ? kYes : kOk;
    }
    const int answer = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return answer;
}

std::string HeadlessControls::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    ShownBox box{ShownBox::Kind::Input, prompt, kOkOnly, title, defaultText};
    boxes.push_back(box);
    if (whileBoxOpen) {
        whileBoxOpen(box);
    }
    if (inputBoxAnswers.empty()) {
        return defaultText;
    }
    std::string answer = std::move(inputBoxAnswers.front());
    inputBoxAnswers.pop_front();
    return answer;
}

std::filesystem::path HeadlessControls::ChooseFile(FileChoice purpose) {
    fileDialogs.push_back(purpose);
    if (fileAnswers.empty()) {
        return {};
    }
    std::filesystem::path answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

bool HeadlessControls::ShowProgress(const std::string& /*text*/, double share) {
    progressShares.push_back(share);
    return static_cast<int>(progressShares.size()) - 1 != cancelAtReport;
}

}  // namespace brevanto::core

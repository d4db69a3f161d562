#include "aim/simulated/SimulatedAim.h"

#include <algorithm>
#include <cstring>

#include "aim/simulated/CallFormat.h"
#include "aim/simulated/TranscriptHtml.h"

namespace brevanto::aim::simulated {

namespace {

constexpr std::string_view IMCaptionEnd = " - Instant Message";
constexpr std::string_view RespondedPrefix = "Responded to ";
constexpr std::string_view BuddyListCaptionEnd = "'s Buddy List Window";

// Copies as an edit control does: at most size - 1 characters (and no more than a short
// copy allows) and a terminating NUL; returns the number of characters copied.
std::int32_t CopyText(const SimWindow& window, char* buffer, long long size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    long long count = std::min(static_cast<long long>(window.text.size()), size - 1);
    if (window.copyLimit) {
        count = std::clamp(static_cast<long long>(*window.copyLimit), 0LL, count);
    }
    std::memcpy(buffer, window.text.data(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

std::string HandleText(Hwnd window) {
    return std::to_string(window);
}

}  // namespace

// --- The window-system interface ---

Hwnd SimulatedAim::FindWindowA(const char* className, const char* windowName) {
    Log("FindWindowA(" + DescribeText(className) + ", " + DescribeText(windowName) + ")");
    return windows_.FindChild(0, 0, className, windowName);
}

Hwnd SimulatedAim::FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                                 const char* windowName) {
    Log("FindWindowExA(" + HandleText(parent) + ", " + HandleText(childAfter) + ", " +
        DescribeText(className) + ", " + DescribeText(windowName) + ")");
    return windows_.FindChild(parent, childAfter, className, windowName);
}

Hwnd SimulatedAim::GetWindow(Hwnd window, unsigned relation) {
    Log("GetWindow(" + HandleText(window) + ", " + DescribeRelation(relation) + ")");
    return relation == GW_HWNDNEXT ? windows_.NextSibling(window) : 0;
}

// Captions are read without a message to the window, so a hung window still gives them.
std::int32_t SimulatedAim::GetWindowTextLengthA(Hwnd window) {
    Log("GetWindowTextLengthA(" + HandleText(window) + ")");
    const SimWindow* target = windows_.Find(window);
    return target != nullptr ? static_cast<std::int32_t>(target->text.size()) : 0;
}

std::int32_t SimulatedAim::GetWindowTextA(Hwnd window, char* buffer, std::int32_t maxCount) {
    Log("GetWindowTextA(" + HandleText(window) + ", " + (buffer != nullptr ? "buffer" : "null") +
        ", " + std::to_string(maxCount) + ")");
    const SimWindow* target = windows_.Find(window);
    if (target == nullptr) {
        if (buffer != nullptr && maxCount > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return CopyText(*target, buffer, maxCount);
}

std::intptr_t SimulatedAim::SendMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    Log("SendMessageA(" + HandleText(window) + ", " + DescribeMessage(message) + ", " +
        std::to_string(wParam) + ", " + DescribeLParam(message, lParam) + ")");
    SimWindow* target = windows_.Find(window);
    if (target == nullptr || target->stalled) {
        return 0;
    }
    target->received.push_back({message, wParam, lParam, false});
    return Handle(*target, message, wParam, lParam);
}

bool SimulatedAim::PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    Log("PostMessageA(" + HandleText(window) + ", " + DescribeMessage(message) + ", " +
        std::to_string(wParam) + ", " + std::to_string(lParam) + ")");
    if (windows_.Find(window) == nullptr || message == WM_GETTEXT || message == WM_SETTEXT) {
        return false;
    }
    queue_.push_back({window, message, wParam, lParam});
    return true;
}

// The client's window procedures, one switch for all its windows.
std::intptr_t SimulatedAim::Handle(SimWindow& window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    switch (message) {
        case WM_GETTEXTLENGTH:
            return static_cast<std::intptr_t>(window.text.size());
        case WM_GETTEXT:
            return CopyText(window, reinterpret_cast<char*>(lParam),
                            static_cast<long long>(std::min<std::uintptr_t>(wParam, 1U << 31)));
        case WM_SETTEXT:
            window.text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            Changed();
            return 1;
        case WM_LBUTTONDOWN:
            if (window.className == ButtonClass) {
                window.buttonArmed = true;
            }
            return 0;
        case WM_LBUTTONUP:
            if (window.className == ButtonClass && window.buttonArmed) {
                window.buttonArmed = false;
                SendInput(window.parent);
            }
            return 0;
        case WM_CLOSE:
            // Panes and buttons stay; a top-level window closes with its children.
            if (window.parent == 0) {
                Close(window.handle);
            }
            return 0;
        default:
            return 0;
    }
}

std::size_t SimulatedAim::ProcessMessages() {
    std::size_t handled = 0;
    std::deque<Posted> waiting;
    while (!queue_.empty()) {
        const Posted posted = queue_.front();
        queue_.pop_front();
        SimWindow* target = windows_.Find(posted.window);
        if (target == nullptr) {
            continue;
        }
        if (target->stalled) {
            waiting.push_back(posted);
            continue;
        }
        target->received.push_back({posted.message, posted.wParam, posted.lParam, true});
        Handle(*target, posted.message, posted.wParam, posted.lParam);
        ++handled;
    }
    queue_ = std::move(waiting);
    return handled;
}

// --- Driver ---

void SimulatedAim::SignOn(std::string screenName) {
    if (windows_.Find(buddyList_) != nullptr) {
        windows_.Destroy(buddyList_);
    }
    screenName_ = std::move(screenName);
    buddyList_ = windows_.Create(0, BuddyListClass, screenName_ + std::string(BuddyListCaptionEnd));
    Changed();
}

void SimulatedAim::SignOff() {
    if (windows_.Find(buddyList_) != nullptr) {
        windows_.Destroy(buddyList_);
        Changed();
    }
}

bool SimulatedAim::SignedOn() const {
    return windows_.Find(buddyList_) != nullptr;
}

std::string SimulatedAim::ScreenName() const {
    return SignedOn() ? screenName_ : "";
}

Hwnd SimulatedAim::OpenIMWindow(std::string buddy) {
    const Hwnd im = windows_.Create(0, IMWindowClass, "");
    Conversation conversation;
    conversation.buddy = std::move(buddy);
    // The order of the children is what the responder relies on: the transcript first,
    // the input pane as its next sibling, then the Send button.
    conversation.transcript = windows_.Create(im, PaneClass, "");
    conversation.input = windows_.Create(im, PaneClass, "");
    conversation.button = windows_.Create(im, ButtonClass, "");
    conversations_[im] = std::move(conversation);
    UpdateCaption(im);
    Changed();
    return im;
}

bool SimulatedAim::DeliverBuddyLine(Hwnd imWindow, std::string_view text) {
    const Conversation* conversation = ConversationOf(imWindow);
    if (conversation == nullptr || !IsAlive(imWindow)) {
        return false;
    }
    AppendLine(imWindow, conversation->buddy, BuddyColour, text);
    return true;
}

Hwnd SimulatedAim::ReceiveMessage(const std::string& buddy, std::string_view text) {
    for (Hwnd im : IMWindows()) {
        if (conversations_.at(im).buddy == buddy) {
            DeliverBuddyLine(im, text);
            return im;
        }
    }
    const Hwnd im = OpenIMWindow(buddy);
    DeliverBuddyLine(im, text);
    return im;
}

void SimulatedAim::TypeInput(Hwnd imWindow, std::string_view text) {
    const Conversation* conversation = ConversationOf(imWindow);
    if (conversation == nullptr) {
        return;
    }
    if (SimWindow* input = windows_.Find(conversation->input)) {
        input->text = text;
        Changed();
    }
}

void SimulatedAim::ClickSend(Hwnd imWindow) {
    const Conversation* conversation = ConversationOf(imWindow);
    if (conversation != nullptr && windows_.Find(conversation->button) != nullptr) {
        SendInput(imWindow);
    }
}

void SimulatedAim::TypeAndSend(Hwnd imWindow, std::string_view text) {
    TypeInput(imWindow, text);
    ClickSend(imWindow);
}

void SimulatedAim::Close(Hwnd window) {
    if (windows_.Find(window) == nullptr) {
        return;
    }
    windows_.Destroy(window);
    Changed();
}

void SimulatedAim::BringToFront(Hwnd window) {
    windows_.BringToFront(window);
    Changed();
}

void SimulatedAim::SetRespondedCaption(Hwnd imWindow, bool responded) {
    auto it = conversations_.find(imWindow);
    if (it != conversations_.end()) {
        it->second.responded = responded;
        UpdateCaption(imWindow);
        Changed();
    }
}

void SimulatedAim::SetCaption(Hwnd window, std::string caption) {
    if (SimWindow* target = windows_.Find(window)) {
        target->text = std::move(caption);
        Changed();
    }
}

void SimulatedAim::SetTime(int hour, int minute, int second) {
    clock_ = hour * 3600LL + minute * 60LL + second;
}

void SimulatedAim::AdvanceTime(long long seconds) {
    clock_ += seconds;
}

void SimulatedAim::SetStalled(Hwnd window, bool stalled) {
    if (SimWindow* target = windows_.Find(window)) {
        target->stalled = stalled;
    }
}

void SimulatedAim::SetShortCopy(Hwnd window, std::optional<std::int32_t> maxCopied) {
    if (SimWindow* target = windows_.Find(window)) {
        target->copyLimit = maxCopied;
    }
}

// Pressing Send: the input pane's text becomes the user's line. Nothing goes out for an
// empty pane (AIM sends no empty messages) or while signed off (no connection); the
// text then stays in the pane.
void SimulatedAim::SendInput(Hwnd imWindow) {
    const Conversation* conversation = ConversationOf(imWindow);
    if (conversation == nullptr || !SignedOn()) {
        return;
    }
    SimWindow* input = windows_.Find(conversation->input);
    if (input == nullptr || input->text.empty()) {
        return;
    }
    const std::string typed = std::move(input->text);
    input->text.clear();
    AppendLine(imWindow, screenName_, UserColour, typed);
}

void SimulatedAim::AppendLine(Hwnd imWindow, std::string_view name, std::string_view colour,
                              std::string_view typed) {
    const Conversation* conversation = ConversationOf(imWindow);
    SimWindow* transcript = windows_.Find(conversation->transcript);
    if (transcript == nullptr) {
        return;
    }
    const std::string line =
        TranscriptLine(name, colour, FormatTimestamp(clock_), TypedTextToHtml(typed));
    transcript->text = simulated::AppendLine(transcript->text, line);
    Changed();
}

void SimulatedAim::UpdateCaption(Hwnd imWindow) {
    const Conversation& conversation = conversations_.at(imWindow);
    if (SimWindow* window = windows_.Find(imWindow)) {
        window->text = (conversation.responded ? std::string(RespondedPrefix) : std::string()) +
                       conversation.buddy + std::string(IMCaptionEnd);
    }
}

void SimulatedAim::Changed() {
    if (onChanged) {
        onChanged();
    }
}

// --- Inspection ---

const SimulatedAim::Conversation* SimulatedAim::ConversationOf(Hwnd imWindow) const {
    auto it = conversations_.find(imWindow);
    return it != conversations_.end() ? &it->second : nullptr;
}

bool SimulatedAim::IsAlive(Hwnd window) const {
    return windows_.Find(window) != nullptr;
}

std::string SimulatedAim::TextOf(Hwnd window) const {
    const SimWindow* target = windows_.Find(window);
    return target != nullptr ? target->text : std::string();
}

std::string SimulatedAim::TranscriptHtml(Hwnd imWindow) const {
    return TextOf(TranscriptPane(imWindow));
}

std::string SimulatedAim::InputText(Hwnd imWindow) const {
    return TextOf(InputPane(imWindow));
}

std::string SimulatedAim::BuddyOf(Hwnd imWindow) const {
    const Conversation* conversation = ConversationOf(imWindow);
    return conversation != nullptr ? conversation->buddy : std::string();
}

Hwnd SimulatedAim::TranscriptPane(Hwnd imWindow) const {
    const Conversation* conversation = ConversationOf(imWindow);
    return conversation != nullptr ? conversation->transcript : 0;
}

Hwnd SimulatedAim::InputPane(Hwnd imWindow) const {
    const Conversation* conversation = ConversationOf(imWindow);
    return conversation != nullptr ? conversation->input : 0;
}

Hwnd SimulatedAim::SendButton(Hwnd imWindow) const {
    const Conversation* conversation = ConversationOf(imWindow);
    return conversation != nullptr ? conversation->button : 0;
}

std::vector<Hwnd> SimulatedAim::IMWindows() const {
    std::vector<Hwnd> open;
    for (Hwnd window : windows_.TopLevel()) {
        if (conversations_.contains(window)) {
            open.push_back(window);
        }
    }
    return open;
}

Hwnd SimulatedAim::BuddyListWindow() const {
    return SignedOn() ? buddyList_ : 0;
}

std::vector<ReceivedMessage> SimulatedAim::MessagesOf(Hwnd window) const {
    const SimWindow* record = windows_.Record(window);
    return record != nullptr ? record->received : std::vector<ReceivedMessage>();
}

}  // namespace brevanto::aim::simulated

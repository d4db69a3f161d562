#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aim/WindowSystem.h"
#include "aim/simulated/WindowTree.h"

// An AIM client that lives in the program's own process: the windows, captions, texts
// and effects that Brevanto relies on in the real client (see docs/aim-client.md), behind
// the same window-system interface as user32. Tests and the practice mode drive the other
// side of it (buddies, the user at the keyboard, signing on) through the driver members
// and read back every call that was made on the interface.
namespace brevanto::aim::simulated {

inline constexpr const char* IMWindowClass = "AIM_IMessage";
inline constexpr const char* PaneClass = "WndAte32Class";
inline constexpr const char* ButtonClass = "_Oscar_IconBtn";
inline constexpr const char* BuddyListClass = "_Oscar_BuddyListWin";

class SimulatedAim final : public WindowSystem {
  public:
    // --- The window-system interface; every call is written to the call log. ---
    Hwnd FindWindowA(const char* className, const char* windowName) override;
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const char* className,
                       const char* windowName) override;
    Hwnd GetWindow(Hwnd window, unsigned relation) override;
    std::int32_t GetWindowTextLengthA(Hwnd window) override;
    std::int32_t GetWindowTextA(Hwnd window, char* buffer, std::int32_t maxCount) override;
    std::intptr_t SendMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    // Queues the message for ProcessMessages; false for a missing window and for
    // messages that carry a pointer (WM_GETTEXT, WM_SETTEXT), which cannot be posted.
    bool PostMessageA(Hwnd window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam) override;

    // --- Driver: the client's own side. None of these is written to the call log. ---

    // Opens the buddy list window "<screenName>'s Buddy List Window" in front; signed on
    // already, the old one closes first.
    void SignOn(std::string screenName);
    void SignOff();
    bool SignedOn() const;
    // The user's screen name while signed on, "" otherwise.
    std::string ScreenName() const;

    // Opens an empty IM window for the buddy in front of all windows.
    Hwnd OpenIMWindow(std::string buddy);
    // The buddy's line arrives in the IM window; false if the window is gone.
    bool DeliverBuddyLine(Hwnd imWindow, std::string_view text);
    // As AIM does when a message comes in: into the buddy's front-most IM window, or a
    // new one when none is open. Returns the window.
    Hwnd ReceiveMessage(const std::string& buddy, std::string_view text);
    // The user types into the input pane (replacing what was there) ...
    void TypeInput(Hwnd imWindow, std::string_view text);
    // ... and clicks Send: the button goes down and up.
    void ClickSend(Hwnd imWindow);
    void TypeAndSend(Hwnd imWindow, std::string_view text);
    // The user closes a window: it goes at once.
    void Close(Hwnd window);
    void BringToFront(Hwnd window);
    // "Responded to " before the caption, as AIM showed it after an auto-response.
    void SetRespondedCaption(Hwnd imWindow, bool responded);
    // Any caption, for windows that do not follow AIM's pattern.
    void SetCaption(Hwnd window, std::string caption);

    // The clock of the transcript time stamps, 24-hour.
    void SetTime(int hour, int minute, int second);
    void AdvanceTime(long long seconds);

    // A hung window: SendMessageA to it returns 0 without effect, as a timed-out call.
    void SetStalled(Hwnd window, bool stalled);
    // The window still announces its whole text but copies at most maxCopied characters;
    // nullopt copies normally.
    void SetShortCopy(Hwnd window, std::optional<std::int32_t> maxCopied);

    // Runs the client's message loop once over the posted messages; returns how many
    // were handled. Messages for a hung window wait; those for a closed one are dropped.
    std::size_t ProcessMessages();
    std::size_t PendingMessages() const { return queue_.size(); }

    // --- Inspection. ---
    bool IsAlive(Hwnd window) const;
    // The window's caption or text, "" for a missing window.
    std::string TextOf(Hwnd window) const;
    std::string TranscriptHtml(Hwnd imWindow) const;
    std::string InputText(Hwnd imWindow) const;
    std::string BuddyOf(Hwnd imWindow) const;
    // The children of an IM window, also after it closed; 0 for another window.
    Hwnd TranscriptPane(Hwnd imWindow) const;
    Hwnd InputPane(Hwnd imWindow) const;
    Hwnd SendButton(Hwnd imWindow) const;
    // The open IM windows, front-most first.
    std::vector<Hwnd> IMWindows() const;
    Hwnd BuddyListWindow() const;

    // Every interface call in order, written as in CallFormat.h.
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // What the window received through SendMessageA and the message loop, in order.
    std::vector<ReceivedMessage> MessagesOf(Hwnd window) const;

    // Called after every change a viewer could show (texts, windows, z-order).
    std::function<void()> onChanged;

  private:
    struct Conversation {
        std::string buddy;
        bool responded = false;
        Hwnd transcript = 0;
        Hwnd input = 0;
        Hwnd button = 0;
    };
    struct Posted {
        Hwnd window;
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    std::intptr_t Handle(SimWindow& window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);
    void SendInput(Hwnd imWindow);
    void AppendLine(Hwnd imWindow, std::string_view name, std::string_view colour,
                    std::string_view typed);
    void UpdateCaption(Hwnd imWindow);
    const Conversation* ConversationOf(Hwnd imWindow) const;
    void Log(std::string call) { calls_.push_back(std::move(call)); }
    void Changed();

    WindowTree windows_;
    std::map<Hwnd, Conversation> conversations_;
    Hwnd buddyList_ = 0;
    std::string screenName_;
    long long clock_ = 0;
    std::deque<Posted> queue_;
    std::vector<std::string> calls_;
};

}  // namespace brevanto::aim::simulated

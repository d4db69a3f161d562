#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aim/WindowSystem.h"

// The windows of the simulated AIM client: a handle table with the top-level z-order and
// each window's children, and nothing of AIM's behaviour.
namespace brevanto::aim::simulated {

// A message as a window received it through the window-system interface.
struct ReceivedMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool posted = false;

    bool operator==(const ReceivedMessage&) const = default;
};

struct SimWindow {
    Hwnd handle = 0;
    Hwnd parent = 0;  // 0 for a top-level window
    std::string className;
    std::string text;            // caption of a top-level window, content of a pane
    std::vector<Hwnd> children;  // in creation order
    bool alive = true;

    // A hung window: sent messages time out, posted ones wait.
    bool stalled = false;
    // A window that announces its whole length but copies at most this many characters.
    std::optional<std::int32_t> copyLimit;
    // The Send button between WM_LBUTTONDOWN and WM_LBUTTONUP.
    bool buttonArmed = false;

    std::vector<ReceivedMessage> received;
};

class WindowTree {
  public:
    // A top-level window (parent 0) opens in front; a child goes after its siblings.
    Hwnd Create(Hwnd parent, std::string className, std::string text);
    // Destroys the window and its children; their handles stay dead.
    void Destroy(Hwnd window);
    void BringToFront(Hwnd window);

    // The living window, or nullptr.
    SimWindow* Find(Hwnd window);
    const SimWindow* Find(Hwnd window) const;
    // The window's record, also after it was destroyed; nullptr for a handle never given.
    const SimWindow* Record(Hwnd window) const;

    // The first window of the class (any class for nullptr) among the children of parent
    // (the top-level windows for parent 0) that comes after childAfter (from the first
    // for 0); with windowName, its text must be equal. 0 if there is none.
    Hwnd FindChild(Hwnd parent, Hwnd childAfter, const char* className,
                   const char* windowName) const;
    // The sibling after the window in its parent's order (z-order for top-level windows).
    Hwnd NextSibling(Hwnd window) const;

    // Front-most first.
    const std::vector<Hwnd>& TopLevel() const { return topLevel_; }

  private:
    const std::vector<Hwnd>* SiblingsOf(Hwnd parent) const;

    std::vector<std::unique_ptr<SimWindow>> windows_;  // index handle - 1
    std::vector<Hwnd> topLevel_;
};

}  // namespace brevanto::aim::simulated

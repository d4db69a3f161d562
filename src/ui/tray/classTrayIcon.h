#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/tray/NotifyIcon.h"

// The program's icon in the notification area: one record that every call sends, with the
// rules that keep the calls in order (no add while shown, no modify or delete while not
// shown, the tip cut to what the record holds). It knows nothing of any toolkit; the
// backend makes the calls.
namespace brevanto::ui {

class classTrayIcon {
  public:
    explicit classTrayIcon(NotifyIconBackend& backend) : backend_(backend) {}

    // The tip text the owner keeps for the icon; empty until set.
    std::string PopUpMessage;

    // Raised with the backend's error code right after a failed call.
    std::function<void(std::int32_t errorNumber)> NIError;

    // Fills the record; makes no call.
    void Initialize(std::uintptr_t window, std::int64_t icon, std::string tip,
                    std::uint32_t callbackMessage);
    bool ShowIcon();
    bool HideIcon();
    bool Update();
    // The shell has forgotten every icon (Explorer restarted): a shown icon is added again.
    bool ShowAgain();
    // Stores the tip (cut to its first 63 characters) and, once initialised, re-sends it
    // alone.
    void TipText(const std::string& tip);

    // Stores another image and, while the icon is shown, re-sends it alone.
    void SetImage(std::int64_t icon);

    bool IconShown() const { return iconShown_; }
    bool IconReady() const { return iconReady_; }
    const NotifyIconData& IconData() const { return iconData_; }

  private:
    bool Failed();

    NotifyIconBackend& backend_;
    NotifyIconData iconData_;
    bool iconShown_ = false;
    bool iconReady_ = false;
};

}  // namespace brevanto::ui

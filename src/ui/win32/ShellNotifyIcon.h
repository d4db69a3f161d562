#pragma once

#include "ui/tray/NotifyIcon.h"

// The notification-area backend over Shell_NotifyIconA, with the 88-byte ANSI record. A
// shell without a notification area (Wine's null graphics driver) makes every call fail;
// the tray icon reports that and the window stays on the taskbar.
namespace brevanto::win32ui {

class ShellNotifyIcon : public ui::NotifyIconBackend {
  public:
    bool Add(const ui::NotifyIconData& data) override;
    bool Modify(const ui::NotifyIconData& data) override;
    bool Delete(const ui::NotifyIconData& data) override;
    std::int32_t LastError() const override { return lastError_; }

  private:
    bool Call(unsigned long action, const ui::NotifyIconData& data);

    std::int32_t lastError_ = 0;
};

}  // namespace brevanto::win32ui

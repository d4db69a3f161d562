#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include "ui/tray/NotifyIcon.h"

// The notification-area backend over QSystemTrayIcon. Qt reports clicks on the icon as
// activation reasons, not as mouse messages; they are turned back into the mouse message
// numbers the icon's owner expects and sent through iconMessage, apart from any pointer
// movement over the owner's own window. Qt has no pointer-over notification for a tray
// icon: the tip set through Modify is the one the platform shows on hover.
namespace brevanto::ui {

inline constexpr unsigned kIconMouseMove = 0x0200;  // pointer over the icon
inline constexpr unsigned kIconLeftButtonDown = 0x0201;

class QtNotifyIcon : public QObject, public NotifyIconBackend {
    Q_OBJECT
  public:
    // The code LastError gives when the platform has no notification area.
    static constexpr std::int32_t kNoNotificationArea = 1;

    explicit QtNotifyIcon(QIcon icon, QObject* parent = nullptr);

    // The handle of the one image this backend shows.
    std::int64_t IconHandle() const { return icon_.cacheKey(); }

    bool Add(const NotifyIconData& data) override;
    bool Modify(const NotifyIconData& data) override;
    bool Delete(const NotifyIconData& data) override;
    std::int32_t LastError() const override { return lastError_; }

    QSystemTrayIcon& TrayIcon() { return tray_; }
    // The image shown from now on, at once when the icon is shown.
    void SetImage(QIcon icon);

  signals:
    void iconMessage(unsigned message);

  private:
    void Apply(const NotifyIconData& data);

    QIcon icon_;
    QSystemTrayIcon tray_;
    std::int32_t lastError_ = 0;
};

}  // namespace brevanto::ui

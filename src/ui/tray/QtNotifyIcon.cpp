#include "ui/tray/QtNotifyIcon.h"

#include <utility>

#include "ui/AnsiText.h"

namespace brevanto::ui {

QtNotifyIcon::QtNotifyIcon(QIcon icon, QObject* parent)
    : QObject(parent), icon_(std::move(icon)), tray_(this) {
    connect(&tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // A double click arrives as a Trigger followed by a DoubleClick: only the
                // first counts as a button going down, so the window toggles once.
                if (reason == QSystemTrayIcon::Trigger) {
                    emit iconMessage(kIconLeftButtonDown);
                }
            });
}

void QtNotifyIcon::Apply(const NotifyIconData& data) {
    if (data.flags & NIF_ICON) {
        tray_.setIcon(icon_);
    }
    if (data.flags & NIF_TIP) {
        tray_.setToolTip(FromAnsi(data.tip));
    }
}

void QtNotifyIcon::SetImage(QIcon icon) {
    icon_ = std::move(icon);
    if (tray_.isVisible()) {
        tray_.setIcon(icon_);
    }
}

bool QtNotifyIcon::Add(const NotifyIconData& data) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        lastError_ = kNoNotificationArea;
        return false;
    }
    Apply(data);
    tray_.show();
    return true;
}

bool QtNotifyIcon::Modify(const NotifyIconData& data) {
    if (!tray_.isVisible()) {
        lastError_ = kNoNotificationArea;
        return false;
    }
    Apply(data);
    return true;
}

bool QtNotifyIcon::Delete(const NotifyIconData&) {
    tray_.hide();
    return true;
}

}  // namespace brevanto::ui

#include "ui/tray/classTrayIcon.h"

#include <utility>

namespace brevanto::ui {

namespace {
std::string CutTip(std::string tip) {
    if (tip.size() > kTipCapacity) {
        tip.resize(kTipCapacity);
    }
    return tip;
}
}  // namespace

void classTrayIcon::Initialize(std::uintptr_t window, std::int64_t icon, std::string tip,
                               std::uint32_t callbackMessage) {
    iconData_.window = window;
    iconData_.id = 1;
    iconData_.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.callbackMessage = callbackMessage;
    iconData_.icon = icon;
    iconData_.tip = CutTip(std::move(tip));
    iconShown_ = false;
    iconReady_ = true;
}

bool classTrayIcon::Failed() {
    if (NIError) {
        NIError(backend_.LastError());
    }
    return false;
}

bool classTrayIcon::ShowIcon() {
    if (iconShown_) {
        return false;
    }
    if (!backend_.Add(iconData_)) {
        return Failed();
    }
    iconShown_ = true;
    return true;
}

bool classTrayIcon::HideIcon() {
    if (!iconShown_) {
        return false;
    }
    if (!backend_.Delete(iconData_)) {
        return Failed();
    }
    iconShown_ = false;
    return true;
}

bool classTrayIcon::ShowAgain() {
    if (!iconShown_) {
        return false;
    }
    iconShown_ = false;
    return ShowIcon();
}

bool classTrayIcon::Update() {
    if (!iconShown_) {
        return false;
    }
    if (!backend_.Modify(iconData_)) {
        return Failed();
    }
    return true;
}

void classTrayIcon::TipText(const std::string& tip) {
    iconData_.tip = CutTip(tip);
    if (iconReady_) {
        // Only the tip travels, so the icon and the callback are not re-sent.
        iconData_.flags = NIF_TIP;
        Update();
        iconData_.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    }
}

void classTrayIcon::SetImage(std::int64_t icon) {
    iconData_.icon = icon;
    if (iconShown_) {
        iconData_.flags = NIF_ICON;
        Update();
        iconData_.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    }
}

}  // namespace brevanto::ui

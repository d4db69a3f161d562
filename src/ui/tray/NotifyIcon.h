#pragma once

#include <cstdint>
#include <string>

// The notification-area facility the tray icon is built on: add, modify and delete one
// icon described by a NotifyIconData record, each call reporting success, and the error
// code of the last failed call. The Qt backend implements it over QSystemTrayIcon; tests
// implement it with a recorder.
namespace brevanto::ui {

inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

// The icon's tip holds at most this many characters; the record keeps one more for a NUL.
inline constexpr std::size_t kTipCapacity = 63;

struct NotifyIconData {
    std::uintptr_t window = 0;  // receives the icon's notifications
    std::uint32_t id = 1;
    std::uint32_t flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // which fields a call carries
    std::uint32_t callbackMessage = 0;
    std::int64_t icon = 0;  // the backend's handle of the image
    std::string tip;        // ANSI text, never longer than kTipCapacity

    bool operator==(const NotifyIconData&) const = default;
};

class NotifyIconBackend {
  public:
    virtual ~NotifyIconBackend() = default;
    virtual bool Add(const NotifyIconData& data) = 0;
    virtual bool Modify(const NotifyIconData& data) = 0;
    virtual bool Delete(const NotifyIconData& data) = 0;
    // The error code of the most recent failed call.
    virtual std::int32_t LastError() const = 0;
};

}  // namespace brevanto::ui

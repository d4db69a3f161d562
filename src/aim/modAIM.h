#pragma once

#include <string>
#include <string_view>

#include "aim/WindowSystem.h"
#include "aim/text/TranscriptText.h"

// Reading and driving the AIM client's windows. Each routine is a fixed sequence of
// window-system calls; the text logic comes from TranscriptText.h.
namespace brevanto::modAIM {

using aim::Hwnd;
using aim::WindowSystem;

// Returned by GetLastMessage when the user has already spoken after the buddy.
inline const std::string NulMarker(1, '\0');

std::string GetCaption(WindowSystem& windows, Hwnd window);
std::string GetText(WindowSystem& windows, Hwnd window);
std::string GetIMText(WindowSystem& windows, Hwnd imWindow);
std::string GetIMBuddyName(WindowSystem& windows, Hwnd imWindow);
// The user's own screen name, or "[not online]" with no buddy list window.
std::string GetMyScreenName(WindowSystem& windows);

// The transcript's tail from the last case-sensitive occurrence of name; "" when the name
// does not occur (an empty name included); NulMarker when the user's own screen name
// occurs in that tail.
std::string GetLastMessage(WindowSystem& windows, std::string_view transcript,
                           std::string_view name);

void SendIM(WindowSystem& windows, Hwnd imWindow, std::string_view reply);
void CloseWindow(WindowSystem& windows, Hwnd window);

}  // namespace brevanto::modAIM

#pragma once

#include <windows.h>

#include "core/Controls.h"

// The tray icon's right-click menu and the image with a mark that it shows while Brevanto
// answers messages.
namespace brevanto::win32ui {

// Shows Show, Start or Stop Auto Respond (as the mode is) and Exit at the pointer; the
// chosen item's IDM_tray identifier, or 0 when the menu was closed.
int ShowTrayMenu(HWND owner, const core::ModeControls& mode);

// A copy of a colour icon with a green dot in its lower right corner, or null; the caller
// destroys it.
HICON MarkedIcon(HICON icon);

}  // namespace brevanto::win32ui

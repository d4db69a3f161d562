#pragma once

#include <QIcon>

namespace brevanto::ui {

// The application icon, 48 by 48 pixels: the window's, the About box's and the tray's.
QIcon AppIcon();

}  // namespace brevanto::ui

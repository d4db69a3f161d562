#pragma once

#include <string>

#include "core/Controls.h"

// What the tray icon tells about the mode: its tip, and whether its image carries the mark
// that says Brevanto is answering.
namespace brevanto::core {

inline bool TrayMarked(const ModeControls& mode) {
    return mode.checkMessageTimerEnabled;
}

inline std::string TrayTip(const ModeControls& mode) {
    return TrayMarked(mode) ? "Brevanto: answering messages" : "Brevanto";
}

}  // namespace brevanto::core

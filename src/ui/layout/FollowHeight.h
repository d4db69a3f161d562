#pragma once

#include <optional>

#include "core/MainWindow.h"

// How the main window's parts follow its height: the grid and the log stretch and the frame
// of options keeps its distance from the bottom edge. Heights that would leave the grid
// nothing change nothing.
namespace brevanto::ui {

struct HeightLayout {
    double gridHeight = 0;  // twips
    double frameTop = 0;
    double logHeight = 0;
};

inline std::optional<HeightLayout> FollowHeight(const core::LayoutOffsets& offsets,
                                                double windowHeight) {
    if (!(windowHeight > offsets.GridHeightOffset)) {
        return std::nullopt;
    }
    return HeightLayout{windowHeight - offsets.GridHeightOffset,
                        windowHeight - offsets.FrameTopOffset,
                        windowHeight - offsets.LogHeightOffset};
}

}  // namespace brevanto::ui

#pragma once

#include <cstdint>

// The offsets that keep the main window's layout when it is resized, taken once at load
// from the design-time sizes.
namespace brevanto::core {

// Sizes in twips that the layout offsets are taken from at load.
struct WindowGeometry {
    double windowWidth = 0;
    double windowHeight = 0;
    double gridHeight = 0;
    double frameTop = 0;
    double logHeight = 0;
    double gridWidth = 0;
};

struct LayoutOffsets {
    std::int32_t GridHeightOffset = 0;
    std::int32_t FrameTopOffset = 0;
    std::int32_t LogHeightOffset = 0;
    std::int32_t FixedFormWidth = 0;
    std::int32_t ColumnWidth = 0;  // both grid columns

    bool operator==(const LayoutOffsets&) const = default;
};

// Computed in single precision, as the window's sizes are held, and rounded to the nearest
// integer with ties to even: a grid 4935 twips wide gives columns of 2422 twips.
LayoutOffsets ComputeLayout(const WindowGeometry& geometry);

}  // namespace brevanto::core

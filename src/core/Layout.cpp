#include "core/Layout.h"

#include <cmath>

namespace brevanto::core {

namespace {

// Ties go to the even neighbour, whatever rounding mode the process has set.
std::int32_t RoundHalfEven(float value) {
    const float floor = std::floor(value);
    const float diff = value - floor;
    auto result = static_cast<std::int32_t>(floor);
    if (diff > 0.5f || (diff == 0.5f && result % 2 != 0)) {
        ++result;
    }
    return result;
}

float Single(double twips) {
    return static_cast<float>(twips);
}

}  // namespace

LayoutOffsets ComputeLayout(const WindowGeometry& geometry) {
    const float height = Single(geometry.windowHeight);
    LayoutOffsets offsets;
    offsets.GridHeightOffset = RoundHalfEven(height - Single(geometry.gridHeight));
    offsets.FrameTopOffset = RoundHalfEven(height - Single(geometry.frameTop));
    offsets.LogHeightOffset = RoundHalfEven(height - Single(geometry.logHeight));
    offsets.FixedFormWidth = RoundHalfEven(Single(geometry.windowWidth));
    offsets.ColumnWidth = RoundHalfEven(Single(geometry.gridWidth) / 2.0f - 45.0f);
    return offsets;
}

}  // namespace brevanto::core

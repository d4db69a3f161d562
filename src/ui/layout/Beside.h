#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

// Where a window of `size` (frame included) goes beside `anchor` (a window's frame) on the
// screen area `area`: to the anchor's right, else to its left, else the anchor moves left
// so the window fits to its right. Only a screen narrower than both lets them overlap.
namespace brevanto::ui {

struct SideBySide {
    QPoint anchor;  // the anchor's frame, moved or not
    QPoint window;
};

inline SideBySide BesidePositions(const QRect& anchor, const QSize& size, const QRect& area) {
    constexpr int kGap = 8;
    const int y = std::max(area.top(), std::min(anchor.top(), area.bottom() + 1 - size.height()));
    const int areaEnd = area.right() + 1;
    if (anchor.right() + 1 + kGap + size.width() <= areaEnd) {
        return {anchor.topLeft(), {anchor.right() + 1 + kGap, y}};
    }
    if (anchor.left() - kGap - size.width() >= area.left()) {
        return {anchor.topLeft(), {anchor.left() - kGap - size.width(), y}};
    }
    const int anchorX = std::max(area.left(), areaEnd - size.width() - kGap - anchor.width());
    const int x = std::min(anchorX + anchor.width() + kGap, areaEnd - size.width());
    return {{anchorX, anchor.top()}, {std::max(x, area.left()), y}};
}

}  // namespace brevanto::ui

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

// Where a window of `size` (frame included) goes beside `anchor` (a window's frame) on the
// screen area `area`: to its right, else to its left, else at the area's right edge, the
// tops aligned; always inside the area as far as the size allows.
namespace brevanto::ui {

inline QPoint BesidePosition(const QRect& anchor, const QSize& size, const QRect& area) {
    constexpr int kGap = 8;
    int x = anchor.right() + 1 + kGap;
    if (x + size.width() > area.right() + 1) {
        x = anchor.left() - kGap - size.width();
        if (x < area.left()) {
            x = area.right() + 1 - size.width();
        }
    }
    x = std::max(x, area.left());
    const int y = std::max(area.top(), std::min(anchor.top(), area.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace brevanto::ui

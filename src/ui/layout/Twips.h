#pragma once

#include <QWidget>
#include <cmath>

// The window layouts measure in twips; the screen is taken to have 15 twips per logical
// pixel (96 dots per inch), so every size and proportion of a layout keeps its shape.
namespace brevanto::ui {

inline constexpr int kTwipsPerPixel = 15;

inline int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double Twips(int pixels) {
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

// Sets a widget's geometry from a position and size given in twips.
inline void Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

}  // namespace brevanto::ui

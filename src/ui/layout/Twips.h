#pragma once

#include <cmath>

// The window definitions measure in twips; the screen is taken to have 15 twips per logical
// pixel (96 dots per inch), so every stated size and proportion keeps its shape.
namespace brevanto::ui {

inline constexpr int kTwipsPerPixel = 15;

inline int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double Twips(int pixels) {
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

}  // namespace brevanto::ui

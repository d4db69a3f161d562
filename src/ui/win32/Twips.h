#pragma once

#include <windows.h>

#include <cmath>

// The window layouts measure in twips (1/1440 inch). The screen's real pixels per inch,
// from GetDeviceCaps, turn them into pixels, so the window keeps its size in inches on any
// screen the manifest declares us DPI aware for.
namespace brevanto::win32ui {

class TwipsScale {
  public:
    static TwipsScale OfScreen() {
        TwipsScale scale;
        if (HDC screen = ::GetDC(nullptr)) {
            scale.dpiX_ = ::GetDeviceCaps(screen, LOGPIXELSX);
            scale.dpiY_ = ::GetDeviceCaps(screen, LOGPIXELSY);
            ::ReleaseDC(nullptr, screen);
        }
        return scale;
    }

    int X(double twips) const { return static_cast<int>(std::lround(twips * dpiX_ / 1440.0)); }
    int Y(double twips) const { return static_cast<int>(std::lround(twips * dpiY_ / 1440.0)); }
    double TwipsX(int pixels) const { return pixels * 1440.0 / dpiX_; }
    double TwipsY(int pixels) const { return pixels * 1440.0 / dpiY_; }
    int DpiY() const { return dpiY_; }

    // A control's rectangle given in twips, as pixels: left, top, width, height.
    RECT Rect(int left, int top, int width, int height) const {
        return RECT{X(left), Y(top), X(width), Y(height)};
    }

  private:
    int dpiX_ = 96;
    int dpiY_ = 96;
};

}  // namespace brevanto::win32ui

#include "ui/win32/Fonts.h"

#include <cmath>
#include <initializer_list>

namespace brevanto::win32ui {

namespace {

HFONT MakeFont(double points, bool bold, int dpiY) {
    const int height = -static_cast<int>(std::lround(points * dpiY / 72.0));
    return ::CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
}

}  // namespace

Fonts::Fonts(int dpiY)
    : standard_(MakeFont(8.25, false, dpiY)),
      log_(MakeFont(8.5, false, dpiY)),
      large_(MakeFont(9.75, false, dpiY)),
      largeBold_(MakeFont(9.75, true, dpiY)) {}

Fonts::~Fonts() {
    for (HFONT font : {standard_, log_, large_, largeBold_}) {
        if (font) {
            ::DeleteObject(font);
        }
    }
}

}  // namespace brevanto::win32ui

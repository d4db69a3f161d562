#pragma once

#include <windows.h>

// The fonts the windows use: "MS Sans Serif" in the sizes the window layouts give, made
// once for the screen's pixels per inch and deleted with the set.
namespace brevanto::win32ui {

class Fonts {
  public:
    explicit Fonts(int dpiY);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT Standard() const { return standard_; }  // 8.25 point, every control's default
    HFONT Log() const { return log_; }            // 8.5 point
    HFONT Large() const { return large_; }        // 9.75 point
    HFONT LargeBold() const { return largeBold_; }

  private:
    HFONT standard_;
    HFONT log_;
    HFONT large_;
    HFONT largeBold_;
};

// Gives a control its font.
inline void SetFont(HWND control, HFONT font) {
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace brevanto::win32ui

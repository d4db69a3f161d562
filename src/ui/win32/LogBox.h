#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "ui/layout/LongLines.h"

// The conversation log box, a read-only multi-line edit. An edit control lays out a long
// unbroken line over and over while it wraps it (under Wine a 700 KB line takes minutes), so
// a line longer than kPiece bytes is shown as several lines (ui::BreakLongLines). Copying
// gives the text without those breaks.
namespace brevanto::win32ui {

class LogBox {
  public:
    static constexpr std::size_t kPiece = 1000;

    // Takes over the edit's copying; the edit must outlive nothing of this.
    void Attach(HWND edit);
    // Shows `ansi`, the whole log as the core keeps it.
    void Set(const std::string& ansi);

  private:
    static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    void Copy() const;

    HWND edit_ = nullptr;
    std::string log_;        // as given
    ui::BrokenLines lines_;  // in the edit: CR LF line ends and the added breaks
};

}  // namespace brevanto::win32ui

#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/layout/LogLayout.h"

// The conversation log box: a read-only window of its own that wraps, measures and paints
// only the rows in view (ui::LogLayout). Measuring text under Wine costs about a microsecond
// a character, and an edit control measures the whole log, which for a hostile megabyte
// takes seconds. The box answers WM_GETTEXT and WM_SETTEXT with the whole log, selects
// with the mouse and the keyboard, and copies the log's own bytes as CF_TEXT.
namespace brevanto::win32ui {

class LogBox {
  public:
    static constexpr const char* kClassName = "BrevantoLogBox";

    LogBox();
    ~LogBox();
    LogBox(const LogBox&) = delete;
    LogBox& operator=(const LogBox&) = delete;

    // Registers the window class the box is created with.
    static void Register(HINSTANCE instance);
    // From now on this object answers the window's messages; it must outlive the window.
    void Attach(HWND box);
    // Shows `ansi`, the whole log as the core keeps it.
    void Set(const std::string& ansi);

  private:
    static LRESULT CALLBACK Proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::size_t Fit(std::string_view text, int width) const;
    void SetFont(HFONT font);
    void Relayout();
    int RowsInView() const;
    void ShowScrollPosition();
    void ScrollTo(ui::LogPlace top);
    void OnScrollBar(int code);
    void OnWheel(int delta);
    void OnKey(WPARAM key);
    std::size_t OffsetAt(POINT point) const;
    void Select(std::size_t anchor, std::size_t caret);
    void Copy() const;
    void ShowMenu(LPARAM where);
    void Paint();

    HWND box_ = nullptr;
    HDC measure_ = nullptr;  // a memory DC holding the font, to measure with
    HFONT font_ = nullptr;
    int lineHeight_ = 1;
    int charWidth_ = 1;
    int wheelRest_ = 0;  // wheel turns of less than a row so far
    std::string log_;    // as given
    ui::LogLayout layout_;
    ui::LogPlace top_;      // the top row in view
    ui::LogPlace lastTop_;  // the top row that shows the end at the bottom
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;  // the selection is between anchor_ and caret_
    bool dragging_ = false;
};

}  // namespace brevanto::win32ui

#pragma once

#include <windows.h>

#include "ui/win32/Fonts.h"
#include "ui/win32/Twips.h"

// A modal dialog box laid out in twips: an empty in-memory template whose controls the
// derived box creates when the dialog starts. The dialog manager gives it what a person
// expects of a box: its owner disabled while it is open, Tab between controls, Enter for
// the default button (IDOK) and Escape or the close button for IDCANCEL.
namespace brevanto::win32ui {

class ModalDialog {
  public:
    ModalDialog(const TwipsScale& scale, const Fonts& fonts) : scale_(scale), fonts_(fonts) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the box until it ends; returns the value given to End, or 0 if it could not be
    // shown.
    INT_PTR Run(HWND owner);
    // The same box without a loop of its own, for work that goes on while it shows: it
    // lives until Close, and the caller passes it its messages (IsDialogMessage).
    bool Open(HWND owner);
    void Close();
    // The open box, or nullptr.
    HWND Handle() const { return dialog_; }
    void End(INT_PTR result) { ::EndDialog(dialog_, result); }

  protected:
    // Creates the controls; returns the control that gets the focus first.
    virtual HWND Build() = 0;
    // A button was pressed (IDOK, IDCANCEL or one of the box's own).
    virtual void Command(int id) = 0;

    // Sizes the box to a client area given in twips, centred on the screen, and titles it.
    void Frame(const char* title, int clientWidth, int clientHeight);
    // A child control in twips, in the standard font.
    HWND Add(const char* windowClass, const char* text, DWORD style, int id, int left, int top,
             int width, int height);

    const TwipsScale& scale_;
    const Fonts& fonts_;

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
};

}  // namespace brevanto::win32ui

#pragma once

#include <string>

#include "ui/win32/ModalDialog.h"

// The progress of a long table command (import, export): a text, a progress bar and Cancel.
// The box appears only when the work is still going half a second after it began, so a
// small table never flashes one. While it is up the main window is disabled, as under a
// modal box, and each report handles the waiting messages: the box's own, and the repaints.
// Everything else for the main window (its timers, the tray icon's clicks) waits until the
// command is over, so no tick or Exit runs in the middle of it.
namespace brevanto::win32ui {

class ProgressBox : public ModalDialog {
  public:
    using ModalDialog::ModalDialog;
    ~ProgressBox() override { End(); }

    // The share done, 0 to 1; false once the user cancelled.
    bool Show(HWND owner, const std::string& text, double share);
    void End();

  private:
    HWND Build() override;
    void Command(int id) override;
    // Handles what waits in the queue without blocking.
    void HandleMessages();

    HWND owner_ = nullptr;
    unsigned long long started_ = 0;
    bool cancelled_ = false;
};

}  // namespace brevanto::win32ui

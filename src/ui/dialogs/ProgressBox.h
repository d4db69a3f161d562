#pragma once

#include <QPointer>
#include <QProgressDialog>
#include <string>

// The progress of a long table command (import, export) in a window-modal box with a Cancel
// button. The box appears only when the work is still going half a second after it began,
// so a small table never flashes one; while it is up, each report lets the window repaint
// and the Cancel button be pressed.
namespace brevanto::ui {

class ProgressBox {
  public:
    explicit ProgressBox(QWidget* owner) : owner_(owner) {}
    ~ProgressBox() { End(); }
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // The share done, 0 to 1; false once the user cancelled.
    bool Show(const std::string& text, double share);
    void End();

  private:
    QWidget* owner_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace brevanto::ui

#pragma once

#include <string>

#include "ui/win32/ModalDialog.h"

// The About box: the icon, the application's title, its version and an author credit. Its
// one button is both the default and the cancel button, so Enter and Escape close it.
namespace brevanto::win32ui {

class frmAbout : public ModalDialog {
  public:
    frmAbout(const TwipsScale& scale, const Fonts& fonts, HICON icon)
        : ModalDialog(scale, fonts), icon_(icon) {}

    static std::string VersionLine();  // "Beta " and major.minor.revision

  private:
    HWND Build() override;
    void Command(int id) override;

    HICON icon_;
};

}  // namespace brevanto::win32ui

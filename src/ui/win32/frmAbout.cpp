#include "ui/win32/frmAbout.h"

#include "ui/win32/ControlIds.h"

namespace brevanto::win32ui {

std::string frmAbout::VersionLine() {
    return "Beta " + std::to_string(BREVANTO_VERSION_MAJOR) + "." +
           std::to_string(BREVANTO_VERSION_MINOR) + "." + std::to_string(BREVANTO_VERSION_PATCH);
}

HWND frmAbout::Build() {
    Frame("About Brevanto", 4125, 1080);
    HWND picture = Add("STATIC", "", SS_ICON | SS_CENTERIMAGE, IDC_AboutIcon, 120, 120, 780, 780);
    ::SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    HWND ok = Add("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 3360, 120, 660, 825);
    Add("STATIC", "Brevanto", SS_LEFT | SS_NOPREFIX, IDC_AboutTitle, 1050, 120, 1965, 240);
    const std::string version = VersionLine();
    Add("STATIC", version.c_str(), SS_LEFT | SS_NOPREFIX, IDC_AboutVersion, 1050, 360, 1965, 225);
    // May take two lines where a stand-in font is wider than MS Sans Serif.
    Add("STATIC", "Written by the Brevanto developers", SS_LEFT | SS_NOPREFIX, IDC_AboutName, 1050,
        600, 2250, 450);
    return ok;
}

void frmAbout::Command(int id) {
    if (id == IDOK || id == IDCANCEL) {
        End(id);
    }
}

}  // namespace brevanto::win32ui

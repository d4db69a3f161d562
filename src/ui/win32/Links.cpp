#include "ui/win32/Links.h"

#include <shellapi.h>

namespace brevanto::win32ui {

namespace {
// A shell without a program for the link opens nothing; there is nothing more to do then.
void Open(HWND owner, const char* target) {
    ::ShellExecuteA(owner, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}
}  // namespace

void OpenSupportMail(HWND owner) {
    Open(owner, "mailto:" BREVANTO_SUPPORT_EMAIL);
}

void OpenWebPage(HWND owner) {
    Open(owner, BREVANTO_WEB_URL);
}

}  // namespace brevanto::win32ui

#pragma once

#include <windows.h>

// Help > E-mail and Help > Web: a new mail to the support address and the web page, opened
// by whatever program the user's shell has for them.
namespace brevanto::win32ui {

void OpenSupportMail(HWND owner);
void OpenWebPage(HWND owner);

}  // namespace brevanto::win32ui

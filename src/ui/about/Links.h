#pragma once

#include <QUrl>

// The product's support address and web page, fixed when the program is built, and the
// links that hand them to the user's mail program and browser.
namespace brevanto::ui {

QUrl SupportMailUrl();  // "mailto:" followed by the support address
QUrl WebPageUrl();

// Failures (no mail program, no browser) are not the program's concern and are ignored.
void OpenSupportMail();
void OpenWebPage();

}  // namespace brevanto::ui

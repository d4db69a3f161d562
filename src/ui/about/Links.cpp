#include "ui/about/Links.h"

#include <QDesktopServices>

namespace brevanto::ui {

QUrl SupportMailUrl() {
    return QUrl(QStringLiteral("mailto:") + QStringLiteral(BREVANTO_SUPPORT_EMAIL));
}

QUrl WebPageUrl() {
    return QUrl(QStringLiteral(BREVANTO_WEB_URL));
}

void OpenSupportMail() {
    QDesktopServices::openUrl(SupportMailUrl());
}

void OpenWebPage() {
    QDesktopServices::openUrl(WebPageUrl());
}

}  // namespace brevanto::ui

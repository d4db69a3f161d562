#include "ui/tray/TrayMenu.h"

#include <QPainter>

#include "ui/AnsiText.h"

namespace brevanto::ui {

TrayMenu::TrayMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("trayMenu"));
    connect(addAction(QStringLiteral("&Show")), &QAction::triggered, this, &TrayMenu::showChosen);
    toggle_ = addAction(QString());
    connect(toggle_, &QAction::triggered, this, &TrayMenu::toggleChosen);
    connect(addAction(QStringLiteral("E&xit")), &QAction::triggered, this, &TrayMenu::exitChosen);
    ShowMode(core::ModeControls{});
}

void TrayMenu::ShowMode(const core::ModeControls& mode) {
    toggle_->setText(FromAnsi(mode.startCaption));
}

QIcon MarkedIcon(const QIcon& icon) {
    constexpr int kSize = 48;
    QPixmap image = icon.pixmap(kSize, kSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(QColor(0, 170, 0));
    painter.drawEllipse(QRect(kSize - 22, kSize - 22, 20, 20));
    painter.end();
    return QIcon(image);
}

}  // namespace brevanto::ui

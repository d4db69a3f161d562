#pragma once

#include <QIcon>
#include <QMenu>

#include "core/Controls.h"

// The tray icon's right-click menu (Show, Start or Stop Auto Respond, Exit) and the image
// with a mark that the icon shows while Brevanto answers messages.
namespace brevanto::ui {

class TrayMenu : public QMenu {
    Q_OBJECT
  public:
    explicit TrayMenu(QWidget* parent = nullptr);

    // The mode's caption on the toggle item.
    void ShowMode(const core::ModeControls& mode);

  signals:
    void showChosen();
    void toggleChosen();
    void exitChosen();

  private:
    QAction* toggle_ = nullptr;
};

// The icon with a green dot in its lower right corner.
QIcon MarkedIcon(const QIcon& icon);

}  // namespace brevanto::ui

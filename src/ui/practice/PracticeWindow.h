#pragma once

#include <QTimer>
#include <QWidget>

#include "aim/simulated/SimulatedAim.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

// The simulated AIM client made visible, for practising with Brevanto where there is no
// AIM: sign on under a screen name, open IM windows, play the buddy and the user, and watch
// Brevanto answer and close the windows or learn from the one in front. Everything happens
// in the simulated client; this window only shows it and forwards the clicks.
namespace brevanto::ui {

class PracticeWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PracticeWindow(aim::simulated::SimulatedAim& aim, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // The IM window the transcript view shows; 0 when none is open.
    aim::Hwnd ShownIMWindow() const { return shown_; }

    // Shows the client's current windows and texts; runs soon after every change.
    void Refresh();
    // One turn of the client's message loop: posted messages, such as close requests,
    // take effect.
    void tmrMessageLoop_Timer();

  signals:
    // "&Test a Message...": the main window shows what Brevanto would answer.
    void testMessageRequested();

  private:
    void BuildControls();
    void Connect();
    void RefreshSoon();
    void SetClockToNow();
    void ShowIMWindow(aim::Hwnd window);

    aim::simulated::SimulatedAim& aim_;
    aim::Hwnd shown_ = 0;
    bool refreshPending_ = false;
    QString shownHtml_;
    QTimer tmrMessageLoop_;

    QLineEdit* txtScreenName_ = nullptr;
    QPushButton* cmdSignOn_ = nullptr;
    QLabel* lblSignedOn_ = nullptr;
    QLineEdit* txtBuddyName_ = nullptr;
    QPushButton* cmdOpenIM_ = nullptr;
    QListWidget* lstIMWindows_ = nullptr;
    QPushButton* cmdBringToFront_ = nullptr;
    QPushButton* cmdCloseIM_ = nullptr;
    QTextBrowser* txtTranscript_ = nullptr;
    QLineEdit* txtBuddyLine_ = nullptr;
    QPushButton* cmdBuddySays_ = nullptr;
    QLineEdit* txtUserLine_ = nullptr;
    QPushButton* cmdUserSends_ = nullptr;
    QPushButton* cmdTestMessage_ = nullptr;
};

}  // namespace brevanto::ui

#include "ui/practice/PracticeWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QTime>
#include <QVBoxLayout>

#include "ui/AnsiText.h"
#include "ui/AppIcon.h"
#include "ui/Named.h"

namespace brevanto::ui {

namespace {

// Often enough that a posted close looks immediate, rarely enough to cost nothing idle.
constexpr int kMessageLoopMs = 200;
// A transcript view lays out its whole document, a long unbroken line in quadratic time:
// beyond this much HTML only the last whole lines are shown.
constexpr std::size_t kShownHtml = 16 * 1024;

QString ShownTranscript(const std::string& html) {
    if (html.size() <= kShownHtml) {
        return FromAnsi(html);
    }
    const std::size_t lineEnd = html.find("<BR>", html.size() - kShownHtml);
    const std::string tail =
        lineEnd == std::string::npos ? std::string() : html.substr(lineEnd + 4);
    return QStringLiteral("<I>(Earlier lines of this %1 KB transcript are not shown here.)</I><BR>")
               .arg(html.size() / 1024) +
           FromAnsi(tail);
}

}  // namespace

PracticeWindow::PracticeWindow(aim::simulated::SimulatedAim& aim, QWidget* parent)
    : QWidget(parent, Qt::Window), aim_(aim) {
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(QStringLiteral("Brevanto practice: simulated AIM"));
    setWindowIcon(AppIcon());
    BuildControls();
    Connect();
    aim_.onChanged = [this] { RefreshSoon(); };
    tmrMessageLoop_.setInterval(kMessageLoopMs);
    tmrMessageLoop_.start();
    Refresh();
    resize(420, 460);
}

PracticeWindow::~PracticeWindow() {
    aim_.onChanged = nullptr;
}

void PracticeWindow::BuildControls() {
    auto* signOn = new QGroupBox(QStringLiteral("Buddy list"), this);
    auto* signOnGrid = new QGridLayout(signOn);
    txtScreenName_ = Named(new QLineEdit(QStringLiteral("AwayUser"), signOn), "txtScreenName");
    cmdSignOn_ = Named(new QPushButton(signOn), "cmdSignOn");
    lblSignedOn_ = Named(new QLabel(signOn), "lblSignedOn");
    txtBuddyName_ = Named(new QLineEdit(QStringLiteral("pixelfox22"), signOn), "txtBuddyName");
    cmdOpenIM_ = Named(new QPushButton(QStringLiteral("&Open IM window"), signOn), "cmdOpenIM");
    signOnGrid->addWidget(new QLabel(QStringLiteral("Your screen name:"), signOn), 0, 0);
    signOnGrid->addWidget(txtScreenName_, 0, 1);
    signOnGrid->addWidget(cmdSignOn_, 0, 2);
    signOnGrid->addWidget(lblSignedOn_, 1, 0, 1, 3);
    signOnGrid->addWidget(new QLabel(QStringLiteral("Buddy:"), signOn), 2, 0);
    signOnGrid->addWidget(txtBuddyName_, 2, 1);
    signOnGrid->addWidget(cmdOpenIM_, 2, 2);

    auto* ims = new QGroupBox(QStringLiteral("IM windows, front-most first"), this);
    auto* imGrid = new QGridLayout(ims);
    lstIMWindows_ = Named(new QListWidget(ims), "lstIMWindows");
    lstIMWindows_->setMaximumHeight(90);
    cmdBringToFront_ =
        Named(new QPushButton(QStringLiteral("Bring to &front"), ims), "cmdBringToFront");
    cmdCloseIM_ = Named(new QPushButton(QStringLiteral("&Close window"), ims), "cmdCloseIM");
    txtTranscript_ = Named(new QTextBrowser(ims), "txtTranscript");
    txtTranscript_->setOpenLinks(false);
    txtBuddyLine_ = Named(new QLineEdit(ims), "txtBuddyLine");
    txtBuddyLine_->setPlaceholderText(QStringLiteral("what the buddy writes"));
    cmdBuddySays_ = Named(new QPushButton(QStringLiteral("&Buddy says"), ims), "cmdBuddySays");
    txtUserLine_ = Named(new QLineEdit(ims), "txtUserLine");
    txtUserLine_->setPlaceholderText(QStringLiteral("what you write yourself"));
    cmdUserSends_ = Named(new QPushButton(QStringLiteral("&Send"), ims), "cmdUserSends");
    imGrid->addWidget(lstIMWindows_, 0, 0, 2, 1);
    imGrid->addWidget(cmdBringToFront_, 0, 1);
    imGrid->addWidget(cmdCloseIM_, 1, 1);
    imGrid->addWidget(txtTranscript_, 2, 0, 1, 2);
    imGrid->addWidget(txtBuddyLine_, 3, 0);
    imGrid->addWidget(cmdBuddySays_, 3, 1);
    imGrid->addWidget(txtUserLine_, 4, 0);
    imGrid->addWidget(cmdUserSends_, 4, 1);

    auto* column = new QVBoxLayout(this);
    column->addWidget(signOn);
    column->addWidget(ims, 1);
    cmdTestMessage_ =
        Named(new QPushButton(QStringLiteral("&Test a Message..."), this), "cmdTestMessage");
    column->addWidget(cmdTestMessage_, 0, Qt::AlignRight);
}

void PracticeWindow::Connect() {
    connect(cmdTestMessage_, &QPushButton::clicked, this, &PracticeWindow::testMessageRequested);
    connect(cmdSignOn_, &QPushButton::clicked, this, [this] {
        if (aim_.SignedOn()) {
            aim_.SignOff();
        } else {
            aim_.SignOn(ToAnsi(txtScreenName_->text().trimmed()));
        }
    });
    connect(cmdOpenIM_, &QPushButton::clicked, this, [this] {
        const QString buddy = txtBuddyName_->text().trimmed();
        if (!buddy.isEmpty()) {
            ShowIMWindow(aim_.OpenIMWindow(ToAnsi(buddy)));
        }
    });
    connect(lstIMWindows_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            ShowIMWindow(lstIMWindows_->item(row)->data(Qt::UserRole).toInt());
        }
    });
    connect(cmdBringToFront_, &QPushButton::clicked, this, [this] {
        if (shown_ != 0) {
            aim_.BringToFront(shown_);
        }
    });
    connect(cmdCloseIM_, &QPushButton::clicked, this, [this] {
        if (shown_ != 0) {
            aim_.Close(shown_);
        }
    });
    auto buddySays = [this] {
        if (shown_ != 0 && !txtBuddyLine_->text().isEmpty()) {
            SetClockToNow();
            aim_.DeliverBuddyLine(shown_, ToAnsi(txtBuddyLine_->text()));
            txtBuddyLine_->clear();
        }
    };
    connect(cmdBuddySays_, &QPushButton::clicked, this, buddySays);
    connect(txtBuddyLine_, &QLineEdit::returnPressed, this, buddySays);
    auto userSends = [this] {
        if (shown_ != 0 && !txtUserLine_->text().isEmpty()) {
            SetClockToNow();
            aim_.TypeAndSend(shown_, ToAnsi(txtUserLine_->text()));
            txtUserLine_->clear();
        }
    };
    connect(cmdUserSends_, &QPushButton::clicked, this, userSends);
    connect(txtUserLine_, &QLineEdit::returnPressed, this, userSends);
    connect(&tmrMessageLoop_, &QTimer::timeout, this, [this] { tmrMessageLoop_Timer(); });
}

void PracticeWindow::tmrMessageLoop_Timer() {
    // The responder's own lines are stamped by the client's clock too.
    SetClockToNow();
    aim_.ProcessMessages();
}

void PracticeWindow::SetClockToNow() {
    const QTime now = QTime::currentTime();
    aim_.SetTime(now.hour(), now.minute(), now.second());
}

void PracticeWindow::RefreshSoon() {
    // The client reports every single change, several per answered window; one refresh
    // after the current handler is enough.
    if (!refreshPending_) {
        refreshPending_ = true;
        QTimer::singleShot(0, this, [this] { Refresh(); });
    }
}

void PracticeWindow::ShowIMWindow(aim::Hwnd window) {
    shown_ = window;
    Refresh();
}

void PracticeWindow::Refresh() {
    refreshPending_ = false;

    const bool signedOn = aim_.SignedOn();
    cmdSignOn_->setText(signedOn ? QStringLiteral("Sign o&ff") : QStringLiteral("Sign o&n"));
    txtScreenName_->setEnabled(!signedOn);
    lblSignedOn_->setText(signedOn
                              ? QStringLiteral("Signed on as %1").arg(FromAnsi(aim_.ScreenName()))
                              : QStringLiteral("Not signed on"));

    const std::vector<aim::Hwnd> windows = aim_.IMWindows();
    if (shown_ != 0 && !aim_.IsAlive(shown_)) {
        shown_ = 0;
    }
    if (shown_ == 0 && !windows.empty()) {
        shown_ = windows.front();
    }
    {
        QSignalBlocker block(lstIMWindows_);
        lstIMWindows_->clear();
        for (aim::Hwnd window : windows) {
            auto* item = new QListWidgetItem(FromAnsi(aim_.TextOf(window)), lstIMWindows_);
            item->setData(Qt::UserRole, window);
            if (window == shown_) {
                lstIMWindows_->setCurrentItem(item);
            }
        }
    }

    const bool open = shown_ != 0;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{cmdBringToFront_, cmdCloseIM_, txtBuddyLine_,
                                         cmdBuddySays_, txtUserLine_, cmdUserSends_}) {
        widget->setEnabled(open);
    }
    const QString html = open ? ShownTranscript(aim_.TranscriptHtml(shown_)) : QString();
    // Setting the same document again would reset the view's scrolling.
    if (html != shownHtml_ || html.isEmpty()) {
        shownHtml_ = html;
        txtTranscript_->setHtml(html);
        txtTranscript_->moveCursor(QTextCursor::End);
    }
}

}  // namespace brevanto::ui

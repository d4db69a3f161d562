#include "ui/frmBrevanto.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <QWindow>
#include <utility>

#include "core/TrayMode.h"
#include "ui/AnsiText.h"
#include "ui/AppIcon.h"
#include "ui/Named.h"
#include "ui/about/Links.h"
#include "ui/about/frmAbout.h"
#include "ui/dialogs/ModalBoxes.h"
#include "ui/fonts/Fonts.h"
#include "ui/grid/GridKeys.h"
#include "ui/grid/MessageTableModel.h"
#include "ui/layout/Beside.h"
#include "ui/layout/FollowHeight.h"
#include "ui/layout/Twips.h"
#include "ui/log/LogBox.h"
#include "ui/tray/TrayMenu.h"

namespace brevanto::ui {

namespace {

constexpr int kClientWidth = 9360;  // twips
constexpr int kClientHeight = 5370;
constexpr int kMinTimerMs = 500;
constexpr int kCheckMessageTimerMs = 1000;
const QString kBuddyListPrompt = QStringLiteral("Conversations will be display in the box below");

// The grid keeps at least this much height (three rows) when the window is made lower.
constexpr int kMinGridHeight = 720;  // twips

}  // namespace

frmBrevanto::frmBrevanto(aim::WindowSystem& windows, std::filesystem::path dataFile,
                         QWidget* parent)
    // Without CustomizeWindowHint Qt would ask the window manager for every button, maximise
    // included.
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      core_(windows, *this, std::move(dataFile)),
      trayBackend_(AppIcon()),
      mySysTray_(trayBackend_),
      tmrMin_(this),
      tmrCheckMessage_(this) {
    setObjectName(QStringLiteral("frmBrevanto"));
    setWindowTitle(QStringLiteral("&Start Auto Respond"));  // as stored; Form_Load renames it
    setWindowIcon(AppIcon());
    setFont(SansFont(8.25));
    BuildControls();
    BuildMenus();
    SetTabOrder();
    Connect();

    tmrMin_.setObjectName(QStringLiteral("tmrMin"));
    tmrCheckMessage_.setObjectName(QStringLiteral("tmrCheckMessage"));
    tmrCheckMessage_.setInterval(kCheckMessageTimerMs);
    tmrMin_.setInterval(kMinTimerMs);
    tmrMin_.start();

    statusBar()->setSizeGripEnabled(false);
    resize(Pixels(kClientWidth), menuBar()->sizeHint().height() + Pixels(kClientHeight) +
                                     statusBar()->sizeHint().height());
}

frmBrevanto::~frmBrevanto() {
    mySysTray_.HideIcon();
}

void frmBrevanto::BuildControls() {
    auto* client = Named(new QWidget(this), "client");
    setCentralWidget(client);

    cmdStart_ = Named(new QPushButton(QStringLiteral("&Start Auto Respond"), client), "cmdStart");
    Place(cmdStart_, 1800, 160, 1935, 375);

    rtbMessages_ = Named(new LogBox(client), "rtbMessages");
    Place(rtbMessages_, 5160, 600, 4095, 4695);
    rtbMessages_->setFont(SansFont(8.5));
    rtbMessages_->setReadOnly(true);
    rtbMessages_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    rtbMessages_->setFocusPolicy(Qt::StrongFocus);

    cboTextMessage_ = Named(new QComboBox(client), "cboTextMessage");
    Place(cboTextMessage_, 5160, 160, 4095, 315);
    cboTextMessage_->setEditable(true);
    // Typing in the edit field must not add names to the list: it lists logged buddies only.
    cboTextMessage_->setInsertPolicy(QComboBox::NoInsert);
    cboTextMessage_->setEditText(kBuddyListPrompt);
    cboTextMessage_->lineEdit()->setCursorPosition(0);  // the prompt's start in view

    fraControls_ = Named(new QGroupBox(client), "fraControls");
    Place(fraControls_, 120, 3840, 4935, 1455);

    const char* ignoreCaptions[] = {"?", ".", "!"};
    const int ignoreLefts[] = {3480, 3960, 4440};
    // Wide enough for the check mark and the caption in the shipped bold face.
    const int ignoreWidths[] = {495, 450, 450};
    for (int i = 2; i >= 0; --i) {
        auto* box = new QCheckBox(QString::fromLatin1(ignoreCaptions[i]), fraControls_);
        box->setObjectName(QStringLiteral("chkIgnore%1").arg(i));
        Place(box, ignoreLefts[i], 600, ignoreWidths[i], 195);
        box->setFont(SansFont(9.75, true));
        box->setChecked(true);
        chkIgnore_[static_cast<std::size_t>(i)] = box;
    }

    txtLeadingMessage_ = Named(new QLineEdit(fraControls_), "txtLeadingMessage");
    Place(txtLeadingMessage_, 1920, 600, 1215, 285);
    txtDefaultMessage_ =
        Named(new QLineEdit(QStringLiteral(":-)"), fraControls_), "txtDefaultMessage");
    Place(txtDefaultMessage_, 1920, 240, 1215, 285);

    // The three buttons fill the frame's width with a gap of 90 twips between them.
    cmdAdd_ = Named(new QPushButton(QStringLiteral("&Add Messages"), fraControls_), "cmdAdd");
    Place(cmdAdd_, 120, 960, 1410, 375);
    cmdLearn_ =
        Named(new QPushButton(QStringLiteral("Lear&n Conversations"), fraControls_), "cmdLearn");
    Place(cmdLearn_, 1620, 960, 1710, 375);
    cmdSave_ = Named(new QPushButton(QStringLiteral("Sa&ve Data"), fraControls_), "cmdSave");
    Place(cmdSave_, 3420, 960, 1395, 375);

    lblIgnore_ = Named(new QLabel(QStringLiteral("Ignore:"), fraControls_), "lblIgnore");
    Place(lblIgnore_, 3750, 240, 615, 240);
    lblLeadingMessage_ =
        Named(new QLabel(QStringLiteral("Leading Message:"), fraControls_), "lblLeadingMessage");
    Place(lblLeadingMessage_, 120, 600, 1725, 315);
    lblDefaultMessage_ =
        Named(new QLabel(QStringLiteral("Default Message:"), fraControls_), "lblDefaultMessage");
    Place(lblDefaultMessage_, 120, 240, 1605, 315);
    for (QLabel* label : {lblIgnore_, lblLeadingMessage_, lblDefaultMessage_}) {
        label->setFont(SansFont(9.75));
    }

    // Only the holder of the icon image; the window shows the icon in its title bar.
    picIcon_ = Named(new QLabel(client), "picIcon");
    Place(picIcon_, 600, 120, 255, 375);
    picIcon_->setPixmap(AppIcon().pixmap(48, 48));
    picIcon_->hide();

    flexGrid_ = Named(new QTableView(client), "flexGrid");
    Place(flexGrid_, 120, 960, 4935, 2895);
    model_ = new MessageTableModel(core_.Table(), flexGrid_);
    flexGrid_->setModel(model_);
    flexGrid_->horizontalHeader()->hide();
    flexGrid_->verticalHeader()->hide();
    // Ctrl and Shift pick several cells, so that several rows can be deleted at once.
    flexGrid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    flexGrid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    flexGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flexGrid_->setWordWrap(false);
    flexGrid_->setStyleSheet(QStringLiteral("QTableView { gridline-color: rgb(128, 128, 128); }"));
    flexGrid_->verticalHeader()->setDefaultSectionSize(
        std::max(Pixels(240), flexGrid_->fontMetrics().height() + 4));

    // An etched divider under the menu bar: a dark line with a white one below it.
    line2_ = Named(new QFrame(client), "Line2");
    line2_->setGeometry(0, Pixels(10), Pixels(9500), 1);
    line1_ = Named(new QFrame(client), "Line1");
    line1_->setGeometry(0, Pixels(25), Pixels(9500), 1);
    for (auto [line, colour] : {std::pair{line2_, palette().color(QPalette::WindowText)},
                                std::pair{line1_, QColor(255, 255, 255)}}) {
        QPalette p = line->palette();
        p.setColor(QPalette::Window, colour);
        line->setPalette(p);
        line->setAutoFillBackground(true);
    }

    lblResponses_ = Named(new QLabel(QStringLiteral("Responses"), client), "lblResponses");
    Place(lblResponses_, 3120, 600, 1200, 240);
    lblMessages_ = Named(new QLabel(QStringLiteral("Messages"), client), "lblMessages");
    Place(lblMessages_, 840, 600, 1095, 240);
    for (QLabel* label : {lblResponses_, lblMessages_}) {
        label->setFont(SansFont(9.75, true));
    }
}

void frmBrevanto::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->setObjectName(QStringLiteral("mnuProgram"));
    mnuStart_ = add(program, "mnuStart", QStringLiteral("&Start Auto Respond"));
    mnuStop_ = add(program, "mnuStop", QStringLiteral("Sto&p Auto Respond"));
    mnuStop_->setEnabled(false);
    // Brings back the practice window, when there is one.
    mnuPractice_ = add(program, "mnuPractice", QStringLiteral("P&ractice Window"));
    mnuPractice_->setVisible(false);
    mnuExit_ = add(program, "mnuExit", QStringLiteral("E&xit"));

    QMenu* messages = menuBar()->addMenu(QStringLiteral("&Messages"));
    messages->setObjectName(QStringLiteral("mnuMessages"));
    mnuAdd_ = add(messages, "mnuAdd", QStringLiteral("&Add Messages"));
    mnuSave_ = add(messages, "mnuSave", QStringLiteral("Sa&ve Data"));
    mnuLearn_ = add(messages, "mnuLearn", QStringLiteral("Lear&n Conversation"));
    mnuTestMessage_ = add(messages, "mnuTestMessage", QStringLiteral("&Test a Message..."));
    mnuKeepConversations_ =
        add(messages, "mnuKeepConversations", QStringLiteral("Keep &Conversations"));
    mnuKeepConversations_->setCheckable(true);
    mnuReplyLimit_ = add(messages, "mnuReplyLimit", QStringLiteral("Reply &Limit..."));
    mnuReplyLimit_->setCheckable(true);
    mnuDelete_ = add(messages, "mnuDelete", QStringLiteral("&Delete Message"));
    mnuImport_ = add(messages, "mnuImport", QStringLiteral("&Import..."));
    mnuExport_ = add(messages, "mnuExport", QStringLiteral("&Export..."));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuEmail_ = add(help, "mnuEmail", QStringLiteral("&E-mail"));
    mnuWeb_ = add(help, "mnuWeb", QStringLiteral("&Web"));
    mnuAbout_ = add(help, "mnuAbout", QStringLiteral("&About"));
}

void frmBrevanto::SetTabOrder() {
    // The grid first, then the buttons under it, the buddy list and log, the start button and
    // the options; labels, the frame and the icon holder take no focus.
    QWidget* order[] = {flexGrid_,          cmdLearn_,     cmdSave_,      cmdAdd_,
                        cboTextMessage_,    rtbMessages_,  cmdStart_,     txtDefaultMessage_,
                        txtLeadingMessage_, chkIgnore_[0], chkIgnore_[1], chkIgnore_[2]};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void frmBrevanto::Connect() {
    connect(cmdStart_, &QPushButton::clicked, this, [this] { core_.ToggleAutoRespond(); });
    connect(mnuStart_, &QAction::triggered, this, [this] { core_.ToggleAutoRespond(); });
    connect(mnuStop_, &QAction::triggered, this, [this] { core_.ToggleAutoRespond(); });
    connect(mnuExit_, &QAction::triggered, this, [this] {
        if (core_.QueryUnload()) {
            EndProgram();
        }
    });

    connect(cmdAdd_, &QPushButton::clicked, this, [this] { core_.AddMessageRow(); });
    connect(mnuAdd_, &QAction::triggered, this, [this] { core_.AddMessageRow(); });
    connect(cmdSave_, &QPushButton::clicked, this, [this] { core_.SaveData(); });
    connect(mnuSave_, &QAction::triggered, this, [this] { core_.SaveData(); });
    connect(cmdLearn_, &QPushButton::clicked, this, [this] { core_.LearnAndSave(); });
    connect(mnuLearn_, &QAction::triggered, this, [this] { core_.LearnAndSave(); });

    connect(mnuPractice_, &QAction::triggered, this, [this] { ShowPracticeWindow(); });
    connect(mnuTestMessage_, &QAction::triggered, this, [this] { core_.TestAMessage(); });
    connect(mnuKeepConversations_, &QAction::triggered, this,
            [this] { core_.ToggleKeepConversations(); });
    connect(mnuReplyLimit_, &QAction::triggered, this, [this] { core_.AskReplyLimit(); });
    // Options are remembered once a text is finished (Enter or leaving the box) or a box
    // is clicked.
    for (QLineEdit* box : {txtLeadingMessage_, txtDefaultMessage_}) {
        connect(box, &QLineEdit::editingFinished, this, [this] { core_.OptionsChanged(); });
    }
    for (QCheckBox* box : chkIgnore_) {
        connect(box, &QCheckBox::toggled, this, [this] { core_.OptionsChanged(); });
    }

    connect(mnuEmail_, &QAction::triggered, this, [] { OpenSupportMail(); });
    connect(mnuWeb_, &QAction::triggered, this, [] { OpenWebPage(); });
    connect(mnuAbout_, &QAction::triggered, this, [this] { mnuAbout_Click(); });

    connect(flexGrid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        // A click with Ctrl or Shift only adds to the selection.
        if (!(QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
            flexGrid_Click(index);
        }
    });
    connect(flexGrid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (syncingCell_ || !current.isValid()) {
                    return;
                }
                core_.Table().SetRow(current.row());
                core_.Table().SetCol(current.column());
            });
    // Only a choice by the user raises this; the core's own selection goes through
    // SelectBuddy and shows the record itself.
    connect(cboTextMessage_, &QComboBox::activated, this, [this](int index) {
        core_.cboTextMessage_Click(ToAnsi(cboTextMessage_->itemText(index)));
    });

    connect(&tmrCheckMessage_, &QTimer::timeout, this, [this] { core_.tmrCheckMessage_Timer(); });
    connect(&tmrMin_, &QTimer::timeout, this, [this] { tmrMin_Timer(); });
    connect(&trayBackend_, &QtNotifyIcon::iconMessage, this,
            [this](unsigned message) { TrayIcon_MouseMessage(message); });
    ConnectTableCommands();
}

void frmBrevanto::ConnectTableCommands() {
    const auto deleteRows = [this] { core_.DeleteRows(SelectedRows(flexGrid_)); };
    connect(mnuDelete_, &QAction::triggered, this, deleteRows);
    connect(mnuImport_, &QAction::triggered, this, [this] { core_.ImportTable(); });
    connect(mnuExport_, &QAction::triggered, this, [this] { core_.ExportTable(); });
    new GridKeys(
        flexGrid_,
        [this] {
            if (core_.Table().Rows() > 0) {
                core_.flexGrid_Click();
            }
        },
        deleteRows);
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] { core_.SaveData(); });

    trayMenu_ = new TrayMenu(this);
    trayBackend_.TrayIcon().setContextMenu(trayMenu_);
    connect(trayMenu_, &TrayMenu::showChosen, this, [this] { ShowWindowFromTray(); });
    connect(trayMenu_, &TrayMenu::toggleChosen, this, [this] { core_.ToggleAutoRespond(); });
    connect(trayMenu_, &TrayMenu::exitChosen, mnuExit_, &QAction::trigger);
}

void frmBrevanto::ShowWindowFromTray() {
    // A window hidden while minimised comes back in the normal state. Qt maps a window
    // whose minimised state it clears, so that happens only as it is shown.
    showNormal();
    tmrMin_.start();
    raise();
    activateWindow();
}

void frmBrevanto::Form_Load() {
    core::WindowGeometry geometry;
    geometry.windowWidth = Twips(width());
    geometry.windowHeight = Twips(height());
    geometry.gridHeight = Twips(flexGrid_->height());
    geometry.frameTop = Twips(fraControls_->y());
    geometry.logHeight = Twips(rtbMessages_->height());
    geometry.gridWidth = Twips(flexGrid_->width());

    setWindowTitle(kApplicationTitle);
    core_.Form_Load(geometry);

    const core::LayoutOffsets& layout = core_.Layout();
    flexGrid_->setColumnWidth(0, Pixels(layout.ColumnWidth));
    flexGrid_->setColumnWidth(1, Pixels(layout.ColumnWidth));
    // The width never changes; telling the window manager keeps it from offering to.
    setMinimumWidth(Pixels(layout.FixedFormWidth));
    setMaximumWidth(Pixels(layout.FixedFormWidth));
    // Lower than this, the frame of options and its buttons would slide over the grid.
    setMinimumHeight(Pixels(layout.GridHeightOffset + kMinGridHeight));
    loaded_ = true;

    mySysTray_.PopUpMessage = ToAnsi(kApplicationTitle);
    mySysTray_.Initialize(static_cast<std::uintptr_t>(winId()), trayBackend_.IconHandle(),
                          mySysTray_.PopUpMessage, kIconMouseMove);
    mySysTray_.ShowIcon();
    Form_Resize();
}

void frmBrevanto::Form_Resize() {
    if (!loaded_ ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        return;
    }
    const core::LayoutOffsets& layout = core_.Layout();
    if (auto follow = FollowHeight(layout, Twips(height()))) {
        flexGrid_->resize(flexGrid_->width(), Pixels(follow->gridHeight));
        fraControls_->move(fraControls_->x(), Pixels(follow->frameTop));
        rtbMessages_->resize(rtbMessages_->width(), Pixels(follow->logHeight));
    }
    if (width() != Pixels(layout.FixedFormWidth)) {
        resize(Pixels(layout.FixedFormWidth), height());
    }
}

void frmBrevanto::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmBrevanto::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back to the normal state lays the window out for its current height. The
    // layout has a fixed width: a window manager that maximises anyway is undone.
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            QTimer::singleShot(0, this, [this] {
                setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            });
        }
        Form_Resize();
    }
}

void frmBrevanto::closeEvent(QCloseEvent* event) {
    // Unsaved table edits are saved, dropped or kept with the window open, as the user says.
    if (!ended_ && !core_.QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    EndProgram();
}

void frmBrevanto::EndProgram() {
    core_.OptionsChanged();  // a text still being typed
    tmrCheckMessage_.stop();
    tmrMin_.stop();
    mySysTray_.HideIcon();
    if (aboutBox_) {
        aboutBox_->reject();
    }
    if (!ended_) {
        ended_ = true;
        emit programEnded();
    }
}

void frmBrevanto::AddPracticeWindow(QWidget* practice) {
    practice_ = practice;
    mnuPractice_->setVisible(practice != nullptr);
    winId();  // the native window, whose exposure places the practice window
    windowHandle()->installEventFilter(this);
}

void frmBrevanto::ShowPracticeWindow() {
    if (!practice_) {
        return;
    }
    // Beside the main window, where the window manager put it: until the main window is
    // on the screen that place is not known yet.
    if (!windowHandle() || !windowHandle()->isExposed()) {
        practicePending_ = true;
        return;
    }
    practicePending_ = false;
    const QSize frame = frameGeometry().size() - size();
    const QRect area = screen()->availableGeometry();
    if (practice_->isHidden()) {
        const SideBySide place = BesidePositions(frameGeometry(), practice_->size() + frame, area);
        move(place.anchor);
        practice_->move(place.window);
    }
    practice_->showNormal();
    practice_->raise();
    practice_->activateWindow();
}

bool frmBrevanto::eventFilter(QObject* watched, QEvent* event) {
    if (practicePending_ && watched == windowHandle() && event->type() == QEvent::Expose) {
        // After the exposure has been handled, when the window's frame is known.
        QTimer::singleShot(0, this, [this] {
            if (practicePending_) {
                ShowPracticeWindow();
            }
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmBrevanto::mnuAbout_Click() {
    frmAbout box(this);
    box.setWindowModality(Qt::WindowModal);
    aboutBox_ = &box;
    box.exec();
}

void frmBrevanto::flexGrid_Click(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    // The clicked cell becomes the current cell before the click is handled.
    core_.Table().SetRow(index.row());
    core_.Table().SetCol(index.column());
    core_.flexGrid_Click();
}

void frmBrevanto::TrayIcon_MouseMessage(unsigned message) {
    if (message == kIconMouseMove) {
        mySysTray_.TipText(mySysTray_.PopUpMessage);
    } else if (message == kIconLeftButtonDown) {
        if (aboutBox_) {
            aboutBox_->reject();
        }
        if (isVisible()) {
            hide();
            tmrMin_.stop();
        } else {
            ShowWindowFromTray();
        }
    }
}

void frmBrevanto::tmrMin_Timer() {
    // Without an icon in the tray nothing could bring a hidden window back: then the
    // window stays minimised the ordinary way. The minimised state stays until the window
    // is shown again: clearing it now would have Qt map the window behind its back, an
    // unpainted window that nothing draws.
    if (isMinimized() && mySysTray_.IconShown()) {
        hide();
        tmrMin_.stop();
    }
}

std::string frmBrevanto::LeadingMessage() const {
    return ToAnsi(txtLeadingMessage_->text());
}

std::string frmBrevanto::DefaultMessage() const {
    return ToAnsi(txtDefaultMessage_->text());
}

bool frmBrevanto::IgnoreChecked(int index) const {
    return index >= 0 && index < 3 && chkIgnore_[static_cast<std::size_t>(index)]->isChecked();
}

std::string frmBrevanto::IgnoreCaption(int index) const {
    if (index < 0 || index >= 3) {
        return {};
    }
    return ToAnsi(chkIgnore_[static_cast<std::size_t>(index)]->text());
}

void frmBrevanto::ApplyMode(const core::ModeControls& mode) {
    if (mode.checkMessageTimerEnabled) {
        if (!tmrCheckMessage_.isActive()) {
            tmrCheckMessage_.start();
        }
    } else {
        tmrCheckMessage_.stop();
    }
    cmdStart_->setText(FromAnsi(mode.startCaption));
    mnuStart_->setEnabled(mode.startMenuEnabled);
    mnuStop_->setEnabled(mode.stopMenuEnabled);
    cmdLearn_->setEnabled(mode.learnButtonEnabled);
    mnuLearn_->setEnabled(mode.learnMenuEnabled);

    // The tray tells the mode by its tip and a mark on its image.
    mySysTray_.PopUpMessage = core::TrayTip(mode);
    mySysTray_.TipText(mySysTray_.PopUpMessage);
    trayBackend_.SetImage(core::TrayMarked(mode) ? MarkedIcon(AppIcon()) : AppIcon());
    mySysTray_.SetImage(trayBackend_.IconHandle());
    trayMenu_->ShowMode(mode);
}

void frmBrevanto::SetLeadingMessage(const std::string& text) {
    txtLeadingMessage_->setText(FromAnsi(text));
}

void frmBrevanto::SetDefaultMessage(const std::string& text) {
    txtDefaultMessage_->setText(FromAnsi(text));
}

void frmBrevanto::SetIgnoreChecked(int index, bool checked) {
    if (index >= 0 && index < 3) {
        chkIgnore_[static_cast<std::size_t>(index)]->setChecked(checked);
    }
}

void frmBrevanto::ShowOptions(bool keepConversations, int replyLimitMinutes) {
    mnuKeepConversations_->setChecked(keepConversations);
    mnuReplyLimit_->setChecked(replyLimitMinutes > 0);
}

void frmBrevanto::SetLogText(const std::string& text) {
    rtbMessages_->SetLog(text);
}

void frmBrevanto::AddBuddyToList(const std::string& name) {
    // Adding to an empty list would put the first name into the edit field; the field keeps
    // its text until an entry is selected.
    const QString shown = cboTextMessage_->currentText();
    const int current = cboTextMessage_->currentIndex();
    QSignalBlocker block(cboTextMessage_);
    cboTextMessage_->addItem(FromAnsi(name));
    if (current < 0) {
        cboTextMessage_->setCurrentIndex(-1);
        cboTextMessage_->setEditText(shown);
    }
}

int frmBrevanto::BuddyListCount() const {
    return cboTextMessage_->count();
}

std::string frmBrevanto::BuddyListItem(int index) const {
    return ToAnsi(cboTextMessage_->itemText(index));
}

void frmBrevanto::SelectBuddy(int index) {
    QSignalBlocker block(cboTextMessage_);
    cboTextMessage_->setCurrentIndex(index);
}

void frmBrevanto::TableChanged() {
    model_->Reset();
    SyncCurrentCellToView();
}

void frmBrevanto::SyncCurrentCellToView() {
    const data::MessageTable& table = core_.Table();
    if (table.Rows() == 0) {
        return;
    }
    syncingCell_ = true;
    flexGrid_->setCurrentIndex(model_->index(table.Row(), table.Col()));
    syncingCell_ = false;
}

void frmBrevanto::ShowStatus(const std::string& text) {
    statusBar()->showMessage(FromAnsi(text));
}

int frmBrevanto::MsgBox(const std::string& prompt, int style, const std::string& title) {
    return ShowMessageBox(this, FromAnsi(prompt), style, FromAnsi(title));
}

std::string frmBrevanto::InputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
    const QString typed =
        ShowInputBox(this, FromAnsi(prompt), FromAnsi(title), FromAnsi(defaultText));
    std::string text = ToAnsi(typed);
    // A character the code page lacks came back as "?", so the round trip differs.
    inputLost_ = FromAnsi(text) != typed;
    return text;
}

std::filesystem::path frmBrevanto::ChooseFile(core::FileChoice purpose) {
    const QString filters =
        QStringLiteral("CSV files (*.csv);;Data files (*.dat *.txt);;All files (*)");
    const QString name =
        purpose == core::FileChoice::Import
            ? QFileDialog::getOpenFileName(this, QStringLiteral("Import Messages"), {}, filters)
            : QFileDialog::getSaveFileName(this, QStringLiteral("Export Messages"), {}, filters);
    return std::filesystem::path(name.toStdU16String());
}

}  // namespace brevanto::ui

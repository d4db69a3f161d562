// Drives the real main window with its widgets, as a user would: clicks, keys, menu
// commands and the modal boxes answered from the event loop. What the commands do is the
// core's and tested there (tests/core/); these check that each control shows the core's
// state and reaches its commands. Whole practice runs go through both windows' widgets: the
// user plays the buddy, Brevanto answers, closes and logs, or learns from the window in front.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>
#include <utility>

#include "WindowTools.h"
#include "aim/simulated/SimulatedAim.h"
#include "ui/about/frmAbout.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

using brevanto::aim::simulated::SimulatedAim;
using brevanto::ui::frmBrevanto;
using brevanto::ui::PracticeWindow;
using namespace brevanto::ui::test;

namespace {

// Collects the URLs the program hands to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<SimulatedAim> aim_;
    std::unique_ptr<PracticeWindow> practice_;
    std::unique_ptr<frmBrevanto> window_;

    QString DataPath() const { return dir_.filePath(QStringLiteral("data.dat")); }

    // The main window over data, with the practice window beside it if asked for.
    void Open(const QByteArray& data, bool practice = false) {
        cleanup();
        QFile file(DataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        aim_ = std::make_unique<SimulatedAim>();
        window_ = std::make_unique<frmBrevanto>(*aim_, DataPath().toStdString());
        window_->Form_Load();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        if (practice) {
            practice_ = std::make_unique<PracticeWindow>(*aim_);
            practice_->show();
            QVERIFY(QTest::qWaitForWindowExposed(practice_.get()));
        }
    }

    template <typename W = QWidget>
    static W* In(const QWidget* window, const char* name) {
        W* widget = window->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
    }
    template <typename W = QWidget>
    W* Child(const char* name) const {
        return In<W>(window_.get(), name);
    }
    QAction* Menu(const char* name) const { return Child<QAction>(name); }
    QTableView* Grid() const { return Child<QTableView>("flexGrid"); }
    QString Shown(int row, int column) const {
        return Grid()->model()->index(row, column).data().toString();
    }

    QByteArray DataFile() const {
        QFile file(DataPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void ClickCell(int row, int column) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    void Click(QWidget* window, const char* button) {
        QTest::mouseClick(In<QPushButton>(window, button), Qt::LeftButton);
    }

    // Types into the practice window's field and presses the button beside it.
    void Enter(const char* field, const QString& text, const char* button) {
        auto* edit = In<QLineEdit>(practice_.get(), field);
        edit->clear();
        QTest::keyClicks(edit, text);
        Click(practice_.get(), button);
    }
    brevanto::aim::Hwnd OpenIM(const QString& buddy) {
        Enter("txtBuddyName", buddy, "cmdOpenIM");
        return practice_->ShownIMWindow();
    }
    void BuddySays(const QString& text) { Enter("txtBuddyLine", text, "cmdBuddySays"); }
    void UserSends(const QString& text) { Enter("txtUserLine", text, "cmdUserSends"); }
    void SignOn(const QString& name) { Enter("txtScreenName", name, "cmdSignOn"); }

    QString Log() const { return Child<QPlainTextEdit>("rtbMessages")->toPlainText(); }

    // The mode as every control shows it.
    void VerifyMode(bool autoRespond) {
        QCOMPARE(Child<QTimer>("tmrCheckMessage")->isActive(), autoRespond);
        QCOMPARE(Child<QPushButton>("cmdStart")->text(),
                 autoRespond ? QStringLiteral("Sto&p Auto Respond")
                             : QStringLiteral("&Start Auto Respond"));
        QCOMPARE(Menu("mnuStart")->isEnabled(), !autoRespond);
        QCOMPARE(Menu("mnuStop")->isEnabled(), autoRespond);
        QCOMPARE(Child<QPushButton>("cmdLearn")->isEnabled(), !autoRespond);
        QCOMPARE(Menu("mnuLearn")->isEnabled(), !autoRespond);
        // The menu captions stay as they are.
        QCOMPARE(Menu("mnuStart")->text(), QStringLiteral("&Start Auto Respond"));
        QCOMPARE(Menu("mnuStop")->text(), QStringLiteral("Sto&p Auto Respond"));
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QFile::remove(DataPath());
        QFile::remove(dir_.filePath(QStringLiteral("brevanto.ini")));
    }

    void cleanup() {
        window_.reset();
        practice_.reset();
        aim_.reset();
    }

    // Captions and places (the layout's twips at 15 per pixel), and the table shown.
    void startsWithEveryControlInItsInitialStateAndFollowsTheHeight() {
        Open("hi=hello there\r\nbye=see you\r\n");
        QCOMPARE(window_->windowTitle(), QStringLiteral("Brevanto"));
        QVERIFY(!window_->windowIcon().isNull());
        const struct {
            const char* name;
            const char* text;  // null: none
            QRect pixels;      // null: not checked
            bool bold = false;
        } controls[] = {
            {"cmdStart", "&Start Auto Respond", {120, 11, 129, 25}},
            {"cmdAdd", "&Add Messages", {8, 64, 94, 25}},
            {"cmdSave", "Sa&ve Data", {228, 64, 93, 25}},
            {"cmdLearn", "Lear&n Conversations", {108, 64, 114, 25}},
            {"lblIgnore", "Ignore:", {250, 16, 41, 16}},
            {"lblLeadingMessage", "Leading Message:", {8, 40, 115, 21}},
            {"lblDefaultMessage", "Default Message:", {8, 16, 107, 21}},
            {"lblResponses", "Responses", {208, 40, 80, 16}, true},
            {"lblMessages", "Messages", {56, 40, 73, 16}, true},
            {"chkIgnore0", "?", {}, true},
            {"chkIgnore1", ".", {}, true},
            {"chkIgnore2", "!", {}, true},
            {"txtDefaultMessage", ":-)", {128, 16, 81, 19}},
            {"txtLeadingMessage", "", {128, 40, 81, 19}},
            {"cboTextMessage", nullptr, {344, 11, 273, 21}},
            {"fraControls", nullptr, {8, 256, 329, 97}},
            {"rtbMessages", nullptr, {344, 40, 273, 313}},
            {"flexGrid", nullptr, {8, 64, 329, 193}},
        };
        for (const auto& c : controls) {
            QWidget* control = Child(c.name);
            QVERIFY2(control->isEnabled() && control->font().bold() == c.bold, c.name);
            if (c.text != nullptr) {
                QCOMPARE(control->property("text").toString(), QString::fromLatin1(c.text));
            }
            if (!c.pixels.isNull()) {
                QCOMPARE(control->geometry(), c.pixels);
            }
            if (qobject_cast<QLabel*>(control) != nullptr) {
                QCOMPARE(control->font().pointSizeF(), 9.75);
            }
        }
        for (const char* box : {"chkIgnore0", "chkIgnore1", "chkIgnore2"}) {
            QVERIFY(Child<QCheckBox>(box)->isChecked());
            QCOMPARE(Child(box)->parentWidget(), Child("fraControls"));
        }
        QCOMPARE(CutCaptions(window_.get()), QStringList());  // every caption fits its font
        auto* log = Child<QPlainTextEdit>("rtbMessages");
        QVERIFY(log->font().pointSizeF() == 8.5 && log->isReadOnly());
        auto* buddies = Child<QComboBox>("cboTextMessage");
        QCOMPARE(buddies->currentText(),
                 QStringLiteral("Conversations will be display in the box below"));

        QVERIFY(Grid()->horizontalHeader()->isHidden() && Grid()->verticalHeader()->isHidden());
        QCOMPARE(Shown(1, 1), QStringLiteral("see you"));
        // The core's column width in twips, 2422, is 161 pixels for both columns.
        QVERIFY(Grid()->columnWidth(0) == 161 && Grid()->columnWidth(1) == 161);
        QVERIFY(Child<QTimer>("tmrMin")->interval() == 500 && Child<QTimer>("tmrMin")->isActive());
        QCOMPARE(Child<QTimer>("tmrCheckMessage")->interval(), 1000);
        VerifyMode(false);

        // The menus' items, and the tab order through the controls.
        const QList<QAction*> menus = window_->menuBar()->actions();
        const QList<QStringList> items = {
            {"&Program", "&Start Auto Respond", "Sto&p Auto Respond", "E&xit"},
            {"&Messages", "&Add Messages", "Sa&ve Data", "Lear&n Conversation",
             "&Test a Message...", "Keep &Conversations", "Reply &Limit...", "&Delete Message",
             "&Import...", "&Export..."},
            {"&Help", "&E-mail", "&Web", "&About"},
        };
        QCOMPARE(menus.size(), items.size());
        for (int m = 0; m < menus.size(); ++m) {
            QStringList texts = {menus[m]->text()};
            for (QAction* item : menus[m]->menu()->actions()) {
                if (item->isVisible()) {  // "P&ractice Window" only with a practice window
                    QVERIFY(!item->isSeparator() && item->shortcut().isEmpty());
                    QCOMPARE(item->isEnabled(), item->objectName() != QStringLiteral("mnuStop"));
                    texts << item->text();
                }
            }
            QCOMPARE(texts, items[m]);
        }

        const QStringList expected = {"flexGrid",   "cmdLearn",          "cmdSave",
                                      "cmdAdd",     "cboTextMessage",    "rtbMessages",
                                      "cmdStart",   "txtDefaultMessage", "txtLeadingMessage",
                                      "chkIgnore0", "chkIgnore1",        "chkIgnore2",
                                      "flexGrid"};
        QStringList order;
        QWidget* widget = Grid();
        order << widget->objectName();
        while (order.size() < expected.size()) {
            widget = widget->nextInFocusChain();
            // Focus proxies (the combo box's edit field) stand for their owner.
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) &&
                !widget->objectName().isEmpty() && widget->focusProxy() == nullptr) {
                order << widget->objectName();
            }
        }
        QCOMPARE(order, expected);

        // The height stretches the grid and the log and moves the frame; the width snaps back.
        const int height = window_->height();
        QCOMPARE(window_->width(), 624);
        window_->resize(704, height + 30);
        QTRY_COMPARE(window_->height(), height + 30);
        QCOMPARE(window_->width(), 624);
        QCOMPARE(Grid()->geometry(), QRect(8, 64, 329, 223));
        QCOMPARE(Child("fraControls")->geometry(), QRect(8, 286, 329, 97));
        QCOMPARE(Child("rtbMessages")->geometry(), QRect(344, 40, 273, 343));
        // Three rows of the grid stay.
        QCOMPARE(window_->minimumHeight(), window_->Core().Layout().GridHeightOffset / 15 + 48);
    }

    // The button and the menu switch the mode; only starting asks, and only Yes starts.
    void noticeGuardsStartingAndStoppingAsksNothing() {
        Open("");
        const auto button = [&] {
            QTest::mouseClick(Child<QPushButton>("cmdStart"), Qt::LeftButton);
        };
        const auto menu = [&] { Menu("mnuStart")->trigger(); };
        const auto yes = [](QWidget* box) { Press(box, QMessageBox::Yes); };
        QCOMPARE(WithBox(button,
                         [](QWidget* box) {
                             auto* notice = qobject_cast<QMessageBox*>(box);
                             QVERIFY(notice);
                             QCOMPARE(notice->windowTitle(), QStringLiteral("Notice"));
                             QCOMPARE(notice->icon(), QMessageBox::NoIcon);
                             QCOMPARE(notice->buttons().size(), 2);
                             QCOMPARE(notice->defaultButton(), notice->button(QMessageBox::Yes));
                             QCOMPARE(CutCaptions(box), QStringList());
                             Press(box, QMessageBox::Yes);
                         }),
                 1);
        VerifyMode(true);
        QCOMPARE(WithBox(button, yes), 0);  // stopping: any box would be answered and counted
        VerifyMode(false);
        QCOMPARE(WithBox(menu, yes), 1);
        VerifyMode(true);
        Menu("mnuStop")->trigger();
        VerifyMode(false);
        QCOMPARE(WithBox(button, [](QWidget* box) { box->close(); }), 1);  // closed: No
        VerifyMode(false);
    }

    void clickingACellEditsItThroughTheInputBox() {
        Open("bye=see you\r\nhi=hello there\r\n");
        const auto edit = [&](int row, int column, const QString& typed, bool ok) {
            return WithBox([&] { ClickCell(row, column); },
                           [=](QWidget* box) { AnswerInput(box, typed, ok); });
        };
        QCOMPARE(WithBox([&] { ClickCell(1, 1); },
                         [](QWidget* box) {
                             auto* input = qobject_cast<QInputDialog*>(box);
                             QVERIFY(input);
                             QCOMPARE(input->windowTitle(), QStringLiteral("Brevanto"));
                             QCOMPARE(input->labelText(),
                                      QStringLiteral("Enter new value for the row \nClick OK to "
                                                     "save. Click CANCEL to clear."));
                             QCOMPARE(input->textValue(), QStringLiteral("hello there"));
                             QCOMPARE(CutCaptions(box), QStringList());
                             QVERIFY(TitleFits(box));
                             AnswerInput(box, QStringLiteral("hey, caf\u00e9 open"), true);
                         }),
                 1);
        QCOMPARE(window_->Core().Table().Cell(1, 1), std::string("hey, caf\xe9 open"));
        QCOMPARE(Shown(1, 1), QStringLiteral("hey, caf\u00e9 open"));
        QCOMPARE(Grid()->currentIndex(), Grid()->model()->index(1, 1));
        QVERIFY(!window_->InputLostCharacters());
        QCOMPARE(edit(1, 0, QStringLiteral("\u263a"), true), 1);
        QVERIFY(window_->InputLostCharacters());
        QCOMPARE(window_->Core().Table().Cell(1, 0), std::string("?"));
        QCOMPARE(edit(0, 0, QStringLiteral("x"), false), 1);  // Cancel clears
        QCOMPARE(window_->Core().Table().Cell(0, 0), std::string());
    }

    // A megabyte cell: the grid shows its start, the input box and the table the whole.
    void aLongCellIsShownShortAndEditedWhole() {
        const std::string longCell = "start" + std::string(1 << 20, 'x') + "\xe9nd";
        Open(QByteArray("hi=") + QByteArray::fromStdString(longCell) + "\r\n");
        const QString shown = Shown(0, 1);
        QVERIFY(shown.size() <= 1000 && shown.startsWith(QStringLiteral("startxx")));
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QCOMPARE(Grid()->model()->index(0, 1).data(Qt::ToolTipRole), shown);
        QCOMPARE(WithBox([&] { ClickCell(0, 1); },
                         [](QWidget* box) {
                             QCOMPARE(qobject_cast<QInputDialog*>(box)->textValue().size(),
                                      (1 << 20) + 8);
                             qobject_cast<QDialog*>(box)->accept();
                         }),
                 1);
        QVERIFY(window_->Core().Table().Cell(0, 1) == longCell);
    }

    // Keys, buttons and menus reach the table: the current cell both ways, Add, F2, Delete
    // and Ctrl+S, Save with its box, the status bar.
    void keysButtonsAndMenusReachTheTable() {
        Open("a=1\r\nb=2\r\nc=3\r\n");
        QTableView* grid = Grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(window_->Core().Table().Row(), 1);
        QCOMPARE(window_->Core().Table().Col(), 1);
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QCOMPARE(WithBox([&] { QTest::keyClick(grid, Qt::Key_F2); },
                         [](QWidget* box) { AnswerInput(box, QStringLiteral("one"), true); }),
                 1);
        QCOMPARE(window_->Core().Table().Cell(0, 1), std::string("one"));
        grid->selectionModel()->select(grid->model()->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect);
        grid->selectionModel()->select(grid->model()->index(2, 1), QItemSelectionModel::Select);
        QCOMPARE(WithBox([&] { QTest::keyClick(grid, Qt::Key_Delete); },
                         [](QWidget* box) { Press(box, QMessageBox::Yes); }),
                 1);
        QCOMPARE(grid->model()->rowCount(), 1);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QCOMPARE(WithBox([&] { QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier); },
                         [](QWidget* box) { Press(box, QMessageBox::Ok); }),
                 1);
        QCOMPARE(DataFile(), QByteArray("b=2\r\n"));  // the selection's rows 0 and 2 went
        QTest::mouseClick(Child<QPushButton>("cmdAdd"), Qt::LeftButton);
        Menu("mnuAdd")->trigger();
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->currentIndex(), grid->model()->index(2, 0));
        QCOMPARE(WithBox([&] { QTest::mouseClick(Child<QPushButton>("cmdSave"), Qt::LeftButton); },
                         [](QWidget* box) { Press(box, QMessageBox::Ok); }),
                 1);
        QCOMPARE(DataFile(), QByteArray(" =\r\nb=2\r\n"));
        QCOMPARE(grid->model()->rowCount(), 2);  // the reloaded table: the empty rows merged
        // The status bar does not block; Latin-1 survives.
        window_->ShowStatus("The data file could not be read: caf\xe9");
        QCOMPARE(window_->statusBar()->currentMessage(),
                 QStringLiteral("The data file could not be read: caf\u00e9"));
    }

    void aboutBoxAndLinks() {
        Open("");
        const auto check = [&](QWidget* box) {
            auto* dialog = qobject_cast<brevanto::ui::frmAbout*>(box);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("About Brevanto"));
            QCOMPARE(dialog->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Brevanto"));
            QCOMPARE(dialog->findChild<QLabel*>("lblVersion")->text(),
                     QStringLiteral("Beta 1.0.8"));
            QVERIFY(!dialog->findChild<QLabel*>("lblName")->text().isEmpty());
            QCOMPARE(dialog->size(), QSize(275, 72));
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
            QVERIFY(dialog->findChild<QPushButton*>("cmdOK")->isDefault());
            QCOMPARE(CutCaptions(dialog), QStringList());
            QTest::keyClick(dialog, Qt::Key_Return);
        };
        QCOMPARE(WithBox([&] { Menu("mnuAbout")->trigger(); }, check), 1);
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        Menu("mnuEmail")->trigger();
        Menu("mnuWeb")->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.urls.size(), 2);
        QCOMPARE(recorder.urls[0].scheme(), QStringLiteral("mailto"));
        QVERIFY(recorder.urls[0].path().contains(QLatin1Char('@')));
        QCOMPARE(recorder.urls[1].scheme(), QStringLiteral("https"));
    }

    void trayClickTogglesTheWindowClosesTheAboutBoxAndMinimisingHidesOnlyWithAnIcon() {
        Open("");
        auto* tmrMin = Child<QTimer>("tmrMin");
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
        QVERIFY(!window_->isVisible() && !tmrMin->isActive());
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
        QVERIFY(window_->isVisible() && tmrMin->isActive());
        // Other mouse messages from the icon do nothing to the window.
        window_->TrayIcon_MouseMessage(0x0202);
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconMouseMove);
        QVERIFY(window_->isVisible());

        bool aboutOpen = false;
        // The menu returns once the click closed the box.
        QCOMPARE(WithBox([&] { Menu("mnuAbout")->trigger(); },
                         [&](QWidget* box) {
                             aboutOpen = qobject_cast<brevanto::ui::frmAbout*>(box) != nullptr;
                             window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
                         }),
                 1);
        QVERIFY(aboutOpen && !window_->isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // The tray menu: Show, then Start or Stop as the mode is.
        auto* tray = Child<QMenu>("trayMenu");
        tray->actions()[0]->trigger();
        QVERIFY(window_->isVisible());
        QCOMPARE(WithBox([&] { tray->actions()[1]->trigger(); },
                         [](QWidget* box) { Press(box, QMessageBox::Yes); }),
                 1);
        QCOMPARE(window_->MySysTray().PopUpMessage, std::string("Brevanto: answering messages"));
        QCOMPARE(tray->actions()[1]->text(), QStringLiteral("Sto&p Auto Respond"));
        tray->actions()[1]->trigger();
        QCOMPARE(window_->MySysTray().PopUpMessage, std::string("Brevanto"));

        // Minimising hides only where a tray icon can bring the window back: offscreen there
        // is no tray (screenshots.sh minimises into one).
        window_->showMinimized();
        window_->tmrMin_Timer();
        QVERIFY(!window_->MySysTray().IconShown());
        QVERIFY(window_->isVisible() && window_->isMinimized() && tmrMin->isActive());
    }

    // The responder's options through the menus and boxes, remembered at the next start.
    void testAMessageAndTheOptionsAreReachedAndRemembered() {
        Open("hi=hello there\r\n");
        // The message asked for, then the reply explained.
        QCOMPARE(WithBox([&] { Menu("mnuTestMessage")->trigger(); },
                         [](QWidget* box) {
                             if (qobject_cast<QMessageBox*>(box)) {
                                 Press(box, QMessageBox::Ok);
                             } else {
                                 AnswerInput(box, QStringLiteral("HI!"), true);
                             }
                         },
                         2),
                 2);

        Menu("mnuKeepConversations")->trigger();
        QCOMPARE(WithBox([&] { Menu("mnuReplyLimit")->trigger(); },
                         [](QWidget* box) { AnswerInput(box, QStringLiteral("5"), true); }),
                 1);
        auto* leading = Child<QLineEdit>("txtLeadingMessage");
        leading->setFocus();
        QTest::keyClicks(leading, QStringLiteral("[away]"));
        QTest::keyClick(leading, Qt::Key_Return);
        QTest::mouseClick(Child<QCheckBox>("chkIgnore1"), Qt::LeftButton);

        Open("");
        QVERIFY(Menu("mnuKeepConversations")->isChecked());
        QVERIFY(Menu("mnuReplyLimit")->isChecked());
        QCOMPARE(Child<QLineEdit>("txtLeadingMessage")->text(), QStringLiteral("[away]"));
        QVERIFY(!Child<QCheckBox>("chkIgnore1")->isChecked());
    }

    void closingAndExitEndTheProgram() {
        Open("hi=hello there\r\n");
        QSignalSpy ended(window_.get(), &frmBrevanto::programEnded);
        window_->Core().AddMessageRow();  // unsaved: Exit asks, Cancel stays, No ends
        for (const auto button : {QMessageBox::Cancel, QMessageBox::No}) {
            QCOMPARE(WithBox([&] { Menu("mnuExit")->trigger(); },
                             [&](QWidget* box) {
                                 auto* question = qobject_cast<QMessageBox*>(box);
                                 // Yes, the default, saves; No and Cancel are pressed here.
                                 QAbstractButton* yes = question->button(QMessageBox::Yes);
                                 QVERIFY(yes != nullptr && question->defaultButton() == yes);
                                 Press(box, button);
                             }),
                     1);
            QCOMPARE(ended.count(), button == QMessageBox::No ? 1 : 0);
        }

        Open("hi=hello there\r\n");
        QSignalSpy closed(window_.get(), &frmBrevanto::programEnded);
        window_->close();
        QCOMPARE(closed.count(), 1);
        // Nothing is saved on the way out.
        QCOMPARE(DataFile(), QByteArray("hi=hello there\r\n"));
    }

    void autoRespondAnswersLogsAndClosesTheIMWindow() {
        Open("hi=hello there\r\n", true);
        SignOn(QStringLiteral("AwayUser"));
        QCOMPARE(aim_->ScreenName(), std::string("AwayUser"));

        const brevanto::aim::Hwnd im = OpenIM(QStringLiteral("pixelfox22"));
        QVERIFY(im != 0);
        BuddySays(QStringLiteral("hi"));
        QTRY_VERIFY(In<QTextBrowser>(practice_.get(), "txtTranscript")
                        ->toPlainText()
                        .contains(QStringLiteral("pixelfox22")));
        QCOMPARE(In<QListWidget>(practice_.get(), "lstIMWindows")->count(), 1);

        QCOMPARE(WithBox([&] { Click(window_.get(), "cmdStart"); },
                         [](QWidget* box) { Press(box, QMessageBox::Yes); }),
                 1);

        // The first tick comes a second later; the practice window's message loop then
        // carries out the close that Brevanto posted.
        QTRY_VERIFY_WITH_TIMEOUT(!aim_->IsAlive(im), 5000);
        QTRY_COMPARE(In<QListWidget>(practice_.get(), "lstIMWindows")->count(), 0);

        QVERIFY2(Log().contains(QStringLiteral("AwayUser: hello there")), qPrintable(Log()));
        auto* buddies = Child<QComboBox>("cboTextMessage");
        QCOMPARE(buddies->count(), 1);
        QCOMPARE(buddies->currentText(), QStringLiteral("pixelfox22"));

        // Picking the first buddy in the list shows that buddy's conversation again.
        OpenIM(QStringLiteral("moth"));
        BuddySays(QStringLiteral("who are you"));
        QTRY_COMPARE_WITH_TIMEOUT(buddies->count(), 2, 5000);
        QCOMPARE(buddies->currentText(), QStringLiteral("moth"));
        QTest::keyClick(buddies, Qt::Key_Up);
        QVERIFY(Log().contains(QStringLiteral("hello there")));
    }

    void learningTakesTheIMWindowBroughtToTheFront() {
        Open("", true);
        SignOn(QStringLiteral("AwayUser"));

        const brevanto::aim::Hwnd wanted = OpenIM(QStringLiteral("pixelfox22"));
        BuddySays(QStringLiteral("how are you"));
        UserSends(QStringLiteral("fine thanks"));
        OpenIM(QStringLiteral("moth"));
        BuddySays(QStringLiteral("ignore me"));
        UserSends(QStringLiteral("not this one"));
        QCOMPARE(aim_->IMWindows().front(), practice_->ShownIMWindow());
        QCOMPARE(CutCaptions(practice_.get()), QStringList());

        bool asked = false;
        const auto answer = [&](QWidget* box) {
            QCOMPARE(CutCaptions(box), QStringList());
            QVERIFY(TitleFits(box));
            if (!std::exchange(asked, true)) {
                // While Brevanto waits, the user brings the wanted window to the front
                // in the practice window, which the box must not block.
                auto* list = In<QListWidget>(practice_.get(), "lstIMWindows");
                for (int row = 0; row < list->count(); ++row) {
                    if (list->item(row)->data(Qt::UserRole).toInt() == wanted) {
                        list->setCurrentRow(row);
                    }
                }
                QTest::mouseClick(In<QPushButton>(practice_.get(), "cmdBringToFront"),
                                  Qt::LeftButton);
            }
            Press(box, QMessageBox::Ok);
        };
        QCOMPARE(WithBox([&] { Click(window_.get(), "cmdLearn"); }, answer, 2), 2);
        QCOMPARE(aim_->IMWindows().front(), wanted);

        QCOMPARE(Grid()->model()->rowCount(), 1);
        QCOMPARE(Shown(0, 0) + "=" + Shown(0, 1), QStringLiteral("how are you=fine thanks"));
    }

    // Signing on shows the buddy list, signing off removes it. Beyond 16 KB of HTML the
    // practice window shows the transcript's last whole lines.
    void signingOnAndOffAndALongTranscript() {
        Open("", true);
        for (const bool on : {true, false}) {
            Click(practice_.get(), "cmdSignOn");
            QCOMPARE(aim_->SignedOn(), on);
            QCOMPARE(aim_->BuddyListWindow() != 0, on);
        }
        QCOMPARE(In<QLabel>(practice_.get(), "lblSignedOn")->text(),
                 QStringLiteral("Not signed on"));
        const brevanto::aim::Hwnd im = OpenIM(QStringLiteral("pixelfox22"));
        aim_->DeliverBuddyLine(im, std::string(20000, 'a'));
        aim_->DeliverBuddyLine(im, "last words");
        auto* transcript = In<QTextBrowser>(practice_.get(), "txtTranscript");
        QTRY_VERIFY(transcript->toPlainText().contains(QStringLiteral("last words")));
        QVERIFY(transcript->toPlainText().startsWith(QStringLiteral("(Earlier lines of this")));
        QVERIFY(!transcript->toPlainText().contains(QStringLiteral("aaaa")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

// Drives the real main window with its widgets, as a user would: clicks, menu commands and
// the modal boxes answered from the event loop.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ModalAnswer.h"
#include "aim/simulated/SimulatedAim.h"
#include "ui/about/frmAbout.h"
#include "ui/frmBrevanto.h"

using brevanto::ui::frmBrevanto;
using namespace brevanto::ui::test;

namespace {

const QString kNotice = QStringLiteral(
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and you "
    "can view them on the box on the right side. Do you want to continue?");

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
    std::unique_ptr<brevanto::aim::simulated::SimulatedAim> aim_;
    std::unique_ptr<frmBrevanto> window_;

    QString DataPath() const { return dir_.filePath(QStringLiteral("data.dat")); }

    void Open(const QByteArray& data) {
        window_.reset();
        QFile file(DataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        aim_ = std::make_unique<brevanto::aim::simulated::SimulatedAim>();
        window_ = std::make_unique<frmBrevanto>(*aim_, DataPath().toStdString());
        window_->Form_Load();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <typename W>
    W* Child(const char* name) const {
        W* widget = window_->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
    }

    QByteArray DataFile() const {
        QFile file(DataPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void ClickCell(int row, int column) {
        auto* grid = Child<QTableView>("flexGrid");
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // The mode as every control shows it.
    void VerifyMode(bool autoRespond) {
        QCOMPARE(Child<QTimer>("tmrCheckMessage")->isActive(), autoRespond);
        QCOMPARE(Child<QPushButton>("cmdStart")->text(),
                 autoRespond ? QStringLiteral("Sto&p Auto Respond")
                             : QStringLiteral("&Start Auto Respond"));
        QCOMPARE(Child<QAction>("mnuStart")->isEnabled(), !autoRespond);
        QCOMPARE(Child<QAction>("mnuStop")->isEnabled(), autoRespond);
        QCOMPARE(Child<QPushButton>("cmdLearn")->isEnabled(), !autoRespond);
        QCOMPARE(Child<QAction>("mnuLearn")->isEnabled(), !autoRespond);
        // The menu captions never change.
        QCOMPARE(Child<QAction>("mnuStart")->text(), QStringLiteral("&Start Auto Respond"));
        QCOMPARE(Child<QAction>("mnuStop")->text(), QStringLiteral("Sto&p Auto Respond"));
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QFile::remove(DataPath());
        QFile::remove(dir_.filePath(QStringLiteral("brevanto.ini")));
    }

    void cleanup() {
        window_.reset();
        aim_.reset();
    }

    void startsWithEveryControlInItsInitialState() {
        Open("hi=hello there\r\nbye=see you\r\n");
        QCOMPARE(window_->windowTitle(), QStringLiteral("Brevanto"));
        QVERIFY(!window_->windowIcon().isNull());

        struct Expected {
            const char* name;
            const char* text;
            QRect pixels;  // the stated twips at 15 per pixel
        };
        const Expected buttons[] = {
            {"cmdStart", "&Start Auto Respond", {120, 11, 129, 25}},
            {"cmdAdd", "&Add Messages", {8, 64, 94, 25}},
            {"cmdSave", "Sa&ve Data", {228, 64, 93, 25}},
            {"cmdLearn", "Lear&n Conversations", {108, 64, 114, 25}},
        };
        for (const auto& b : buttons) {
            auto* button = Child<QPushButton>(b.name);
            QCOMPARE(button->text(), QString::fromLatin1(b.text));
            QCOMPARE(button->geometry(), b.pixels);
            QVERIFY(button->isEnabled());
        }
        const Expected labels[] = {
            {"lblIgnore", "Ignore:", {250, 16, 41, 16}},
            {"lblLeadingMessage", "Leading Message:", {8, 40, 115, 21}},
            {"lblDefaultMessage", "Default Message:", {8, 16, 107, 21}},
            {"lblResponses", "Responses", {208, 40, 80, 16}},
            {"lblMessages", "Messages", {56, 40, 73, 16}},
        };
        for (const auto& l : labels) {
            auto* label = Child<QLabel>(l.name);
            QCOMPARE(label->text(), QString::fromLatin1(l.text));
            QCOMPARE(label->geometry(), l.pixels);
            // 9.75 point, never shrunk, and the caption fits in the shipped font.
            QCOMPARE(label->font().pointSizeF(), 9.75);
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
        }
        QVERIFY(Child<QLabel>("lblMessages")->font().bold());
        QVERIFY(Child<QLabel>("lblResponses")->font().bold());
        QVERIFY(!Child<QLabel>("lblIgnore")->font().bold());

        const char* captions[] = {"?", ".", "!"};
        for (int i = 0; i < 3; ++i) {
            auto* box = window_->findChild<QCheckBox*>(QStringLiteral("chkIgnore%1").arg(i));
            QVERIFY(box);
            QCOMPARE(box->text(), QString::fromLatin1(captions[i]));
            QVERIFY(box->isChecked());
            QVERIFY(box->font().bold());
            QCOMPARE(box->parentWidget(), Child<QGroupBox>("fraControls"));
        }
        QCOMPARE(Child<QLineEdit>("txtDefaultMessage")->text(), QStringLiteral(":-)"));
        QVERIFY(Child<QLineEdit>("txtLeadingMessage")->text().isEmpty());
        QCOMPARE(Child<QGroupBox>("fraControls")->geometry(), QRect(8, 256, 329, 97));
        QCOMPARE(Child<QPlainTextEdit>("rtbMessages")->geometry(), QRect(344, 40, 273, 313));
        QVERIFY(Child<QPlainTextEdit>("rtbMessages")->toPlainText().isEmpty());
        QCOMPARE(Child<QPlainTextEdit>("rtbMessages")->font().pointSizeF(), 8.5);

        auto* buddies = Child<QComboBox>("cboTextMessage");
        QCOMPARE(buddies->currentText(),
                 QStringLiteral("Conversations will be display in the box below"));
        QCOMPARE(buddies->count(), 0);

        auto* grid = Child<QTableView>("flexGrid");
        QCOMPARE(grid->geometry(), QRect(8, 64, 329, 193));
        QVERIFY(grid->horizontalHeader()->isHidden());
        QVERIFY(grid->verticalHeader()->isHidden());
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->columnCount(), 2);
        QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("see you"));
        // Half the grid's 4935 twips less 45, rounded: 2422 twips, 161 pixels, both columns.
        QCOMPARE(window_->Core().Layout().ColumnWidth, 2422);
        QCOMPARE(grid->columnWidth(0), 161);
        QCOMPARE(grid->columnWidth(1), 161);

        QCOMPARE(Child<QTimer>("tmrMin")->interval(), 500);
        QVERIFY(Child<QTimer>("tmrMin")->isActive());
        QCOMPARE(Child<QTimer>("tmrCheckMessage")->interval(), 1000);
        VerifyMode(false);
    }

    void menusHoldTheStatedItems() {
        Open("");
        const QList<QAction*> menus = window_->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        const QStringList titles = {"&Program", "&Messages", "&Help"};
        const QList<QStringList> items = {
            {"&Start Auto Respond", "Sto&p Auto Respond", "E&xit"},
            {"&Add Messages", "Sa&ve Data", "Lear&n Conversation", "&Test a Message...",
             "Keep &Conversations", "Reply &Limit...", "&Delete Message", "&Import...",
             "&Export..."},
            {"&E-mail", "&Web", "&About"},
        };
        for (int m = 0; m < 3; ++m) {
            QCOMPARE(menus[m]->text(), titles[m]);
            QStringList texts;
            for (QAction* item : menus[m]->menu()->actions()) {
                if (!item->isVisible()) {
                    continue;  // "P&ractice Window" without a practice window
                }
                QVERIFY(!item->isSeparator());
                QVERIFY(item->shortcut().isEmpty());
                QCOMPARE(item->isEnabled(), item->objectName() != QStringLiteral("mnuStop"));
                texts << item->text();
            }
            QCOMPARE(texts, items[m]);
        }
    }

    void tabOrderRunsThroughTheControlsInTheirStatedOrder() {
        Open("");
        const QStringList expected = {"flexGrid",   "cmdLearn",          "cmdSave",
                                      "cmdAdd",     "cboTextMessage",    "rtbMessages",
                                      "cmdStart",   "txtDefaultMessage", "txtLeadingMessage",
                                      "chkIgnore0", "chkIgnore1",        "chkIgnore2",
                                      "flexGrid"};
        QStringList order;
        QWidget* widget = Child<QTableView>("flexGrid");
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
    }

    void heightStretchesGridAndLogAndWidthSnapsBack() {
        Open("");
        auto* grid = Child<QTableView>("flexGrid");
        auto* frame = Child<QGroupBox>("fraControls");
        auto* log = Child<QPlainTextEdit>("rtbMessages");
        const int width = window_->width();
        const int height = window_->height();
        QCOMPARE(width, 624);
        const QRect grid0 = grid->geometry(), frame0 = frame->geometry(), log0 = log->geometry();

        window_->resize(width + 80, height + 30);
        QTRY_COMPARE(window_->height(), height + 30);
        QCOMPARE(window_->width(), width);
        QCOMPARE(grid->geometry(), grid0.adjusted(0, 0, 0, 30));
        QCOMPARE(frame->geometry(), frame0.translated(0, 30));
        QCOMPARE(log->geometry(), log0.adjusted(0, 0, 0, 30));

        window_->resize(width, height - 40);
        QTRY_COMPARE(window_->height(), height - 40);
        QCOMPARE(grid->height(), grid0.height() - 40);
        QCOMPARE(frame->y(), frame0.y() - 40);
        QCOMPARE(log->height(), log0.height() - 40);

        // At or below the grid's offset the parts keep their last sizes and places.
        const int offsetPixels = window_->Core().Layout().GridHeightOffset / 15;
        const QRect gridBefore = grid->geometry(), frameBefore = frame->geometry();
        window_->setMinimumHeight(0);
        window_->resize(width - 50, offsetPixels);
        QTRY_COMPARE(window_->height(), offsetPixels);
        QCOMPARE(window_->width(), width);
        QCOMPARE(grid->geometry(), gridBefore);
        QCOMPARE(frame->geometry(), frameBefore);

        // One pixel more gives the grid one pixel.
        window_->resize(width, offsetPixels + 1);
        QTRY_COMPARE(window_->height(), offsetPixels + 1);
        QCOMPARE(grid->height(), 1);
    }

    // The button and the menu switch the mode; only starting asks, and only Yes starts.
    void noticeGuardsStartingAndStoppingAsksNothing() {
        Open("");
        const auto start = [&](ModalAnswer::Action action, bool byMenu) {
            ModalAnswer answer(std::move(action));
            if (byMenu) {
                Child<QAction>("mnuStart")->trigger();
            } else {
                QTest::mouseClick(Child<QPushButton>("cmdStart"), Qt::LeftButton);
            }
            QTest::qWait(50);
            return answer.Answered();
        };
        const auto checkNoticeAndPressYes = [](QWidget* box) {
            auto* notice = qobject_cast<QMessageBox*>(box);
            QVERIFY(notice);
            QCOMPARE(notice->windowTitle(), QStringLiteral("Notice"));
            QCOMPARE(notice->text(), kNotice);
            QCOMPARE(notice->icon(), QMessageBox::NoIcon);
            QCOMPARE(notice->buttons().size(), 2);
            QCOMPARE(notice->defaultButton(), notice->button(QMessageBox::Yes));
            Press(box, QMessageBox::Yes);
        };
        QCOMPARE(start(checkNoticeAndPressYes, false), 1);
        VerifyMode(true);
        // Stopping by the same button: any box would be answered and counted.
        QCOMPARE(start([](QWidget* box) { Press(box, QMessageBox::Yes); }, false), 0);
        VerifyMode(false);

        QCOMPARE(start([](QWidget* box) { Press(box, QMessageBox::No); }, true), 1);
        VerifyMode(false);
        QCOMPARE(start([](QWidget* box) { Press(box, QMessageBox::Yes); }, true), 1);
        VerifyMode(true);
        Child<QAction>("mnuStop")->trigger();
        VerifyMode(false);
        // Closing the notice is a No.
        QCOMPARE(start([](QWidget* box) { box->close(); }, false), 1);
        VerifyMode(false);
    }

    void clickingACellEditsItThroughTheInputBox() {
        Open("bye=see you\r\nhi=hello there\r\n");
        auto* grid = Child<QTableView>("flexGrid");
        {
            ModalAnswer ok([](QWidget* box) {
                auto* input = qobject_cast<QInputDialog*>(box);
                QVERIFY(input);
                QCOMPARE(input->windowTitle(), QStringLiteral("Brevanto"));
                QCOMPARE(input->labelText(),
                         QStringLiteral("Enter new value for the row \nClick OK to save. Click "
                                        "CANCEL to clear."));
                QCOMPARE(input->textValue(), QStringLiteral("hello there"));
                AnswerInput(box, QStringLiteral("hey, caf\u00e9 open"), true);
            });
            ClickCell(1, 1);
            QCOMPARE(ok.Answered(), 1);
        }
        QCOMPARE(window_->Core().Table().Cell(1, 1), std::string("hey, caf\xe9 open"));
        QCOMPARE(grid->model()->index(1, 1).data().toString(),
                 QStringLiteral("hey, caf\u00e9 open"));
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, 1));
        QVERIFY(!window_->InputLostCharacters());
        {
            ModalAnswer lost(
                [](QWidget* box) { AnswerInput(box, QStringLiteral("\u263a"), true); });
            ClickCell(1, 0);
        }
        QVERIFY(window_->InputLostCharacters());
        QCOMPARE(window_->Core().Table().Cell(1, 0), std::string("?"));

        {
            ModalAnswer cancel([](QWidget* box) { AnswerInput(box, QStringLiteral("x"), false); });
            ClickCell(0, 0);
            QCOMPARE(cancel.Answered(), 1);
        }
        QCOMPARE(window_->Core().Table().Cell(0, 0), std::string());
        QCOMPARE(window_->Core().Table().Cell(0, 1), std::string("see you"));
        QCOMPARE(grid->model()->rowCount(), 2);
        // Only the grid changed; the file waits for a save.
        QCOMPARE(DataFile(), QByteArray("bye=see you\r\nhi=hello there\r\n"));
    }

    // A megabyte cell: the grid shows its start, the input box and the table the whole.
    void aLongCellIsShownShortAndEditedWhole() {
        const std::string longCell = std::string(1 << 20, 'x') + "\xe9nd";
        Open(QByteArray("hi=") + QByteArray::fromStdString(longCell) + "\r\n");
        const QString shown = Child<QTableView>("flexGrid")->model()->index(0, 1).data().toString();
        QVERIFY(shown.size() <= 1000 && shown.startsWith(QStringLiteral("xxx")));
        QVERIFY(shown.endsWith(QChar(0x2026)));
        ModalAnswer ok([](QWidget* box) {
            QCOMPARE(qobject_cast<QInputDialog*>(box)->textValue().size(), (1 << 20) + 3);
            qobject_cast<QDialog*>(box)->accept();
        });
        ClickCell(0, 1);
        QCOMPARE(ok.Answered(), 1);
        QVERIFY(window_->Core().Table().Cell(0, 1) == longCell);
    }

    void currentCellFollowsTheViewAndTheTable() {
        Open("a=1\r\nb=2\r\nc=3\r\n");
        auto* grid = Child<QTableView>("flexGrid");
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(window_->Core().Table().Row(), 1);
        QCOMPARE(window_->Core().Table().Col(), 1);

        QTest::mouseClick(Child<QPushButton>("cmdAdd"), Qt::LeftButton);
        QCOMPARE(grid->currentIndex(), grid->model()->index(3, 0));
    }

    void addingRowsAndSavingWritesTheSortedTable() {
        Open("hi=hello there\r\n");
        auto* grid = Child<QTableView>("flexGrid");
        QTest::mouseClick(Child<QPushButton>("cmdAdd"), Qt::LeftButton);
        Child<QAction>("mnuAdd")->trigger();
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->index(2, 0).data().toString(), QString());
        QCOMPARE(grid->model()->index(1, 1).data().toString(), QString());

        ModalAnswer edits(
            [](QWidget* box) { AnswerInput(box, QStringLiteral("are you there?"), true); });
        ClickCell(1, 0);
        ModalAnswer answer(
            [](QWidget* box) { AnswerInput(box, QStringLiteral("away now"), true); });
        ClickCell(1, 1);

        QString doneTitle;
        {
            ModalAnswer done([&](QWidget* box) {
                doneTitle = box->windowTitle();
                QCOMPARE(qobject_cast<QMessageBox*>(box)->text(),
                         QStringLiteral("The message was saved!"));
                Press(box, QMessageBox::Ok);
            });
            QTest::mouseClick(Child<QPushButton>("cmdSave"), Qt::LeftButton);
            QCOMPARE(done.Answered(), 1);
        }
        QCOMPARE(doneTitle, QStringLiteral("Done"));
        // The ignored "?" is gone from the key, and the file is sorted.
        const QByteArray saved = DataFile();
        QVERIFY2(saved.contains("are you there=away now\r\n"), saved.constData());
        QVERIFY(saved.indexOf("are you there") < saved.indexOf("hi=hello there"));
        QCOMPARE(grid->model()->rowCount(), window_->Core().Table().Rows());
    }

    void unreadableDataFileIsReportedAndTheWindowStillWorks() {
        // A data file that is a folder cannot be read.
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("data.dat")));
        aim_ = std::make_unique<brevanto::aim::simulated::SimulatedAim>();
        window_ = std::make_unique<frmBrevanto>(*aim_, DataPath().toStdString());
        QString message;
        {
            ModalAnswer ok([&](QWidget* box) {
                message = qobject_cast<QMessageBox*>(box)->text();
                QCOMPARE(box->windowTitle(), QStringLiteral("Brevanto"));
                Press(box, QMessageBox::Ok);
            });
            window_->Form_Load();
            QCOMPARE(ok.Answered(), 1);
        }
        QVERIFY2(message.contains(QStringLiteral("data.dat")), qPrintable(message));
        QCOMPARE(Child<QTableView>("flexGrid")->model()->rowCount(), 0);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Brevanto"));
        QDir(DataPath()).removeRecursively();
        // Later messages go to the status bar, which does not block; Latin-1 survives.
        window_->ShowStatus("The data file could not be read: caf\xe9");
        QCOMPARE(window_->statusBar()->currentMessage(),
                 QStringLiteral("The data file could not be read: caf\u00e9"));
    }

    void aboutBoxShowsTitleVersionAndClosesWithEnterOrEscape() {
        Open("");
        for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
            ModalAnswer about([&](QWidget* box) {
                auto* dialog = qobject_cast<brevanto::ui::frmAbout*>(box);
                QVERIFY(dialog);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("About Brevanto"));
                QCOMPARE(dialog->findChild<QLabel*>("lblTitle")->text(),
                         QStringLiteral("Brevanto"));
                QCOMPARE(dialog->findChild<QLabel*>("lblVersion")->text(),
                         QStringLiteral("Beta 1.0.8"));
                QVERIFY(!dialog->findChild<QLabel*>("lblName")->text().isEmpty());
                QCOMPARE(dialog->size(), QSize(275, 72));
                QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
                QVERIFY(dialog->findChild<QPushButton*>("cmdOK")->isDefault());
                QTest::keyClick(dialog, static_cast<Qt::Key>(key));
            });
            Child<QAction>("mnuAbout")->trigger();
            QCOMPARE(about.Answered(), 1);
        }
    }

    void linksOpenMailAndWebPage() {
        Open("");
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        Child<QAction>("mnuEmail")->trigger();
        Child<QAction>("mnuWeb")->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.urls.size(), 2);
        QCOMPARE(recorder.urls[0].scheme(), QStringLiteral("mailto"));
        QVERIFY(recorder.urls[0].path().contains(QLatin1Char('@')));
        QCOMPARE(recorder.urls[1].scheme(), QStringLiteral("https"));
    }

    void trayClickTogglesTheWindowAndClosesTheAboutBox() {
        Open("");
        auto* tmrMin = Child<QTimer>("tmrMin");
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
        QVERIFY(!window_->isVisible());
        QVERIFY(!tmrMin->isActive());
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
        QVERIFY(window_->isVisible());
        QVERIFY(tmrMin->isActive());

        // Other mouse messages from the icon do nothing to the window.
        window_->TrayIcon_MouseMessage(0x0202);
        window_->TrayIcon_MouseMessage(brevanto::ui::kIconMouseMove);
        QVERIFY(window_->isVisible());

        bool aboutOpen = false;
        ModalAnswer about([&](QWidget* box) {
            aboutOpen = qobject_cast<brevanto::ui::frmAbout*>(box) != nullptr;
            window_->TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
        });
        Child<QAction>("mnuAbout")->trigger();  // returns once the click closed the box
        QVERIFY(aboutOpen);
        QVERIFY(!window_->isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void minimisingHidesOnlyWhereATrayIconCanBringTheWindowBack() {
        Open("");
        window_->showMinimized();
        window_->tmrMin_Timer();
        if (window_->MySysTray().IconShown()) {
            QVERIFY(!window_->isVisible());
            QVERIFY(!window_->isMinimized());  // comes back at its normal size
            QVERIFY(!Child<QTimer>("tmrMin")->isActive());
        } else {
            QVERIFY(window_->isVisible());
            QVERIFY(window_->isMinimized());
            QVERIFY(Child<QTimer>("tmrMin")->isActive());
        }
    }

    // The responder's options through the menus and boxes, remembered at the next start.
    void testAMessageAndTheOptionsAreReachedAndRemembered() {
        Open("hi=hello there\r\n");
        QString explanation;
        {
            ModalAnswer answers(
                [&](QWidget* box) {
                    if (auto* message = qobject_cast<QMessageBox*>(box)) {
                        explanation = message->text();
                        Press(box, QMessageBox::Ok);
                    } else {
                        AnswerInput(box, QStringLiteral("HI!"), true);
                    }
                },
                2);
            Child<QAction>("mnuTestMessage")->trigger();
            QCOMPARE(answers.Answered(), 2);
        }
        QVERIFY2(explanation.contains(QStringLiteral("Reply: \"hello there\"")),
                 qPrintable(explanation));

        Child<QAction>("mnuKeepConversations")->trigger();
        ModalAnswer limit([](QWidget* box) { AnswerInput(box, QStringLiteral("5"), true); });
        Child<QAction>("mnuReplyLimit")->trigger();
        QCOMPARE(limit.Answered(), 1);
        auto* leading = Child<QLineEdit>("txtLeadingMessage");
        leading->setFocus();
        QTest::keyClicks(leading, QStringLiteral("[away]"));
        QTest::keyClick(leading, Qt::Key_Return);
        QTest::mouseClick(Child<QCheckBox>("chkIgnore1"), Qt::LeftButton);

        Open("");
        QVERIFY(Child<QAction>("mnuKeepConversations")->isChecked());
        QVERIFY(Child<QAction>("mnuReplyLimit")->isChecked());
        leading = Child<QLineEdit>("txtLeadingMessage");
        QCOMPARE(leading->text(), QStringLiteral("[away]"));
        QVERIFY(!Child<QCheckBox>("chkIgnore1")->isChecked());
        QCOMPARE(window_->Core().CurrentSettings().replyLimitMinutes, 5);
    void keysDeleteAndTheTrayMenuReachTheCore() {
        Open("a=1\r\nb=2\r\nc=3\r\n");
        auto* grid = Child<QTableView>("flexGrid");
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        {
            ModalAnswer edit([](QWidget* box) { AnswerInput(box, QStringLiteral("one"), true); });
            QTest::keyClick(grid, Qt::Key_F2);
            QCOMPARE(edit.Answered(), 1);
        }
        QCOMPARE(window_->Core().Table().Cell(0, 1), std::string("one"));
        grid->selectionModel()->select(grid->model()->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect);
        grid->selectionModel()->select(grid->model()->index(2, 1), QItemSelectionModel::Select);
        {
            ModalAnswer yes([](QWidget* box) { Press(box, QMessageBox::Yes); });
            QTest::keyClick(grid, Qt::Key_Delete);
            QCOMPARE(yes.Answered(), 1);
        }
        QCOMPARE(grid->model()->rowCount(), 1);
        {
            ModalAnswer done([](QWidget* box) { Press(box, QMessageBox::Ok); });
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_.get()));
            QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(done.Answered(), 1);
        }
        QCOMPARE(DataFile(), QByteArray("b=2\r\n"));

        auto* tray = Child<QMenu>("trayMenu");
        {
            ModalAnswer notice([](QWidget* box) { Press(box, QMessageBox::Yes); });
            tray->actions()[1]->trigger();
        }
        QCOMPARE(window_->MySysTray().PopUpMessage, std::string("Brevanto: answering messages"));
        QCOMPARE(tray->actions()[1]->text(), QStringLiteral("Sto&p Auto Respond"));
        tray->actions()[1]->trigger();
        QCOMPARE(window_->MySysTray().PopUpMessage, std::string("Brevanto"));
        window_->hide();
        tray->actions()[0]->trigger();
        QVERIFY(window_->isVisible());
    }

    void closingAndExitEndTheProgram() {
        Open("hi=hello there\r\n");
        QSignalSpy ended(window_.get(), &frmBrevanto::programEnded);
        window_->Core().AddMessageRow();  // unsaved: Exit asks, Cancel stays, No ends
        for (const auto button : {QMessageBox::Cancel, QMessageBox::No}) {
            ModalAnswer answer([&](QWidget* box) {
                QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains("not saved"));
                Press(box, button);
            });
            Child<QAction>("mnuExit")->trigger();
            QCOMPARE(answer.Answered(), 1);
            QCOMPARE(ended.count(), button == QMessageBox::No ? 1 : 0);
        }
        QVERIFY(!window_->MySysTray().IconShown());

        Open("hi=hello there\r\n");
        QSignalSpy closed(window_.get(), &frmBrevanto::programEnded);
        window_->close();
        QCOMPARE(closed.count(), 1);
        // Nothing is saved on the way out.
        QCOMPARE(DataFile(), QByteArray("hi=hello there\r\n"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

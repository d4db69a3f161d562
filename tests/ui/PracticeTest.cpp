// Whole practice runs through both windows' widgets: the user plays the buddy, Brevanto
// answers, closes and logs, or learns from the window in front.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>
#include <string>
#include <utility>

#include "Fits.h"
#include "ModalAnswer.h"
#include "aim/simulated/SimulatedAim.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

using brevanto::aim::simulated::SimulatedAim;
using brevanto::ui::frmBrevanto;
using brevanto::ui::PracticeWindow;
using namespace brevanto::ui::test;

class PracticeTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<SimulatedAim> aim_;
    std::unique_ptr<PracticeWindow> practice_;
    std::unique_ptr<frmBrevanto> window_;

    QString DataPath() const { return dir_.filePath(QStringLiteral("data.dat")); }

    void Start(const QByteArray& data) {
        QFile file(DataPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        aim_ = std::make_unique<SimulatedAim>();
        practice_ = std::make_unique<PracticeWindow>(*aim_);
        window_ = std::make_unique<frmBrevanto>(*aim_, DataPath().toStdString());
        window_->Form_Load();
        window_->show();
        practice_->show();
        QVERIFY(QTest::qWaitForWindowExposed(practice_.get()));
    }

    template <typename W>
    W* In(QWidget* window, const char* name) const {
        W* widget = window->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
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

    QString Log() const { return In<QPlainTextEdit>(window_.get(), "rtbMessages")->toPlainText(); }

  private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void cleanup() {
        window_.reset();
        practice_.reset();
        aim_.reset();
    }

    void autoRespondAnswersLogsAndClosesTheIMWindow() {
        Start("hi=hello there\r\n");
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
        auto* buddies = In<QComboBox>(window_.get(), "cboTextMessage");
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
        Start("");
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

        const QAbstractItemModel* grid = In<QTableView>(window_.get(), "flexGrid")->model();
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->index(0, 0).data().toString() + "=" + grid->index(0, 1).data().toString(),
                 QStringLiteral("how are you=fine thanks"));
    }

    // Beyond 16 KB of HTML the practice window shows the transcript's last whole lines.
    void aLongTranscriptShowsItsLastLines() {
        Start("");
        const brevanto::aim::Hwnd im = OpenIM(QStringLiteral("pixelfox22"));
        aim_->DeliverBuddyLine(im, std::string(20000, 'a'));
        aim_->DeliverBuddyLine(im, "last words");
        auto* transcript = In<QTextBrowser>(practice_.get(), "txtTranscript");
        QTRY_VERIFY(transcript->toPlainText().contains(QStringLiteral("last words")));
        QVERIFY(transcript->toPlainText().startsWith(QStringLiteral("(Earlier lines of this")));
        QVERIFY(!transcript->toPlainText().contains(QStringLiteral("aaaa")));
    }

    void signingOnAndOffShowsAndRemovesTheBuddyList() {
        Start("");
        for (const bool on : {true, false}) {
            Click(practice_.get(), "cmdSignOn");
            QCOMPARE(aim_->SignedOn(), on);
            QCOMPARE(aim_->BuddyListWindow() != 0, on);
        }
        QCOMPARE(In<QLabel>(practice_.get(), "lblSignedOn")->text(),
                 QStringLiteral("Not signed on"));
    }
};

QTEST_MAIN(PracticeTest)
#include "PracticeTest.moc"

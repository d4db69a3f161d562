// Takes pictures of Brevanto's windows in the middle of a practice session and checks them
// as the window manager shows them: screenshots <folder>. Run it on an X display with a
// window manager and a tray (Xvfb, openbox and trayer, as screenshots.sh starts them). It
// writes a picture per window and box, and fails when a check fails or a picture could not
// be taken:
// - each window's title as the window manager reads it (_NET_WM_NAME and WM_NAME);
// - no caption wider than its control;
// - the practice window beside the main window, not over it, also when reopened;
// - the main window offers no maximise and keeps a minimum height;
// - after minimising into the tray the window is unmapped, and after a click on the tray
//   icon the screen shows the window's own pixels, twice over.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "aim/simulated/SimulatedAim.h"
#include "ui/about/frmAbout.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

namespace {

using brevanto::ui::frmBrevanto;

int failures = 0;
QString folder;

void Check(bool ok, const QString& what) {
    if (!ok) {
        ++failures;
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    }
}

bool Save(const QPixmap& picture, const QString& name) {
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = !picture.isNull() && picture.save(path, "PNG");
    Check(saved, QStringLiteral("could not write ") + path);
    std::printf("%s\n", qPrintable(path));
    return saved;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString XProp(const QWidget* window, const QStringList& properties) {
    return Run(QStringLiteral("xprop"),
               QStringList{QStringLiteral("-id"), QString::number(window->winId())} + properties);
}

// The title as the window manager reads it, from both the modern and the old property.
void CheckTitle(const QWidget* window, const QString& expected) {
    const QString props =
        XProp(window, {QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")});
    for (const char* name : {"_NET_WM_NAME", "WM_NAME"}) {
        const QRegularExpression line(QString::fromLatin1(name) +
                                      QStringLiteral("\\([A-Z0-9_]+\\) = \"(.*)\""));
        const QString shown = line.match(props).captured(1);
        Check(shown == expected, QStringLiteral("%1 of \"%2\" reads \"%3\"")
                                     .arg(QString::fromLatin1(name), expected, shown));
    }
}

// Every caption and edit text of `window` shows whole at its font.
void CheckCaptions(const QWidget* window, const QString& name) {
    auto fail = [&](const QWidget* control, const QString& text) {
        Check(false, QStringLiteral("%1: \"%2\" does not fit %3 (%4 pixels)")
                         .arg(name, text, control->objectName())
                         .arg(control->width()));
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) {
            continue;
        }
        const QRect room = label->contentsRect();
        const bool fits =
            label->wordWrap()
                ? label->heightForWidth(room.width()) <= room.height()
                : label->fontMetrics().size(Qt::TextShowMnemonic, label->text()).width() <=
                      room.width();
        if (!fits) {
            fail(label, label->text());
        }
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty()) {
            continue;
        }
        // A check box needs its indicator beside the caption; a push button its bevel.
        const QStyle* style = button->style();
        const int beside = qobject_cast<const QCheckBox*>(button)
                               ? style->pixelMetric(QStyle::PM_IndicatorWidth) +
                                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
                               : 6;
        const int needed =
            button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + beside;
        if (needed > button->width()) {
            fail(button, button->text());
        }
    }
    // Buttons side by side keep a gap between them.
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    for (const QPushButton* a : buttons) {
        for (const QPushButton* b : buttons) {
            if (a < b && a->isVisible() && b->isVisible() && a->parent() == b->parent() &&
                a->geometry().adjusted(-1, -1, 1, 1).intersects(b->geometry())) {
                Check(false, QStringLiteral("%1: %2 touches %3")
                                 .arg(name, a->objectName(), b->objectName()));
            }
        }
    }
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->isVisible() && qobject_cast<const QComboBox*>(edit->parentWidget()) &&
            edit->fontMetrics().horizontalAdvance(edit->text()) > edit->contentsRect().width()) {
            fail(edit, edit->text());
        }
    }
}

// What the screen shows where `window` is: the window manager's frame and title included.
QPixmap OnScreen(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    return QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                                        frame.height());
}

void Look(QWidget* window, const QString& name, const QString& title) {
    Check(QTest::qWaitForWindowExposed(window), name + QStringLiteral(" is never shown"));
    QTest::qWait(300);  // the window manager's frame drawn
    CheckTitle(window, title);
    CheckCaptions(window, name);
    Save(OnScreen(window), name);
}

// Share of the client area's pixels on the screen that match the window's own picture.
double ShownShare(QWidget* window) {
    const QImage own = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = window->mapToGlobal(QPoint(0, 0));
    const QImage shown = QGuiApplication::primaryScreen()
                             ->grabWindow(0, at.x(), at.y(), own.width(), own.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.size() != own.size()) {
        return 0;
    }
    qint64 same = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x) {
            same += own.pixel(x, y) == shown.pixel(x, y);
        }
    }
    return static_cast<double>(same) / (static_cast<double>(own.width()) * own.height());
}

bool Mapped(const QWidget* window) {
    return Run(QStringLiteral("xwininfo"),
               {QStringLiteral("-id"), QString::number(window->winId())})
        .contains(QStringLiteral("IsViewable"));
}

void CheckBeside(const QWidget* main, const QWidget* practice, const QString& when) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Check(practice->isVisible(), when + QStringLiteral(": the practice window is not shown"));
    Check(!main->frameGeometry().intersects(practice->frameGeometry()),
          when + QStringLiteral(": the practice window covers the main window"));
    Check(screen.contains(practice->frameGeometry()),
          when + QStringLiteral(": the practice window is off the screen"));
}

// Through the tray: the icon clicked where it sits, or its message sent where there is none.
void ClickTrayIcon(frmBrevanto& window) {
    const QRect icon = window.TrayBackend().TrayIcon().geometry();
    if (icon.isValid()) {
        const QPoint at = icon.center();
        Run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    } else {
        window.TrayIcon_MouseMessage(brevanto::ui::kIconLeftButtonDown);
    }
}

void MinimiseAndRestore(frmBrevanto& window, int round) {
    window.showMinimized();
    // The minimise timer hides the window into the tray; a window mapped again behind Qt's
    // back would show up within a second after that.
    const bool hidden = QTest::qWaitFor([&] { return !window.isVisible(); }, 5000);
    QTest::qWait(1000);
    Check(hidden && !window.isVisible() && !Mapped(&window),
          QStringLiteral("round %1: the minimised window is still on the screen").arg(round));
    auto back = [&] { return window.isVisible() && Mapped(&window); };
    ClickTrayIcon(window);
    if (!QTest::qWaitFor(back, 3000)) {
        std::fprintf(stderr, "round %d: no answer to the tray click yet, clicking again\n", round);
        ClickTrayIcon(window);
    }
    Check(QTest::qWaitFor(back, 3000),
          QStringLiteral("round %1: the tray click did not bring the window back").arg(round));
    double share = 0;
    const bool whole = QTest::qWaitFor([&] { return (share = ShownShare(&window)) > 0.9; }, 3000);
    Check(whole, QStringLiteral("round %1: only %2 % of the restored window's pixels show")
                     .arg(round)
                     .arg(100 * share, 0, 'f', 1));
    Save(OnScreen(&window), QStringLiteral("restored-%1").arg(round));
}

// The main window offers no maximise, keeps its width and a minimum height.
void CheckSizing(QWidget* window) {
    const QString hints = XProp(window, {QStringLiteral("WM_NORMAL_HINTS")});
    const QString width = QString::number(window->width());
    Check(hints.contains(
              QStringLiteral("minimum size: %1 by %2").arg(width).arg(window->minimumHeight())) &&
              hints.contains(QStringLiteral("maximum size: %1 by").arg(width)),
          QStringLiteral("size hints: ") + hints.simplified());
    // Motif hints: flags, functions (0x10 maximise), decorations (0x40 the maximise button).
    const QStringList motif = XProp(window, {QStringLiteral("_MOTIF_WM_HINTS")})
                                  .section(QLatin1Char('='), 1)
                                  .split(QLatin1Char(','));
    Check(motif.size() >= 3 && (motif[1].trimmed().toUInt(nullptr, 16) & 0x10) == 0 &&
              (motif[2].trimmed().toUInt(nullptr, 16) & 0x40) == 0,
          QStringLiteral("maximise is offered: ") + motif.join(QLatin1Char(',')));
    // A window manager that maximises anyway (openbox does from its menu) is undone.
    const QSize before = window->size();
    window->showMaximized();
    QTest::qWait(1000);
    Check(window->windowState() == Qt::WindowNoState && window->size() == before,
          QStringLiteral("maximised, the window stays %1 by %2")
              .arg(window->width())
              .arg(window->height()));
}

// Every box the window shows, looked at as it comes up, then answered: "Notice" with No,
// the learning question with OK, any other with its escape button.
QStringList boxesSeen;
void WatchBoxes() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box->property("looked").toBool()) {
            return;
        }
        box->setProperty("looked", true);
        const QString title = box->windowTitle();
        boxesSeen << title;
        Look(box,
             QStringLiteral("box-%1-%2")
                 .arg(boxesSeen.size())
                 .arg(title)
                 .remove(QLatin1Char('!'))
                 .replace(QLatin1Char(' '), QLatin1Char('-')),
             title);
        // Room for the whole title in the title bar, beside its icon and buttons.
        QFont titleFont = QApplication::font();
        titleFont.setBold(true);
        Check(box->width() >= QFontMetrics(titleFont).horizontalAdvance(title) + 100,
              QStringLiteral("the title bar cuts \"%1\"").arg(title));
        if (auto* message = qobject_cast<QMessageBox*>(box)) {
            // The first learning question is answered OK, the second Cancel: "Sorry!".
            const auto answer =
                title == QStringLiteral("Notice") ? QMessageBox::No
                : title == QStringLiteral("Learning Conversations")
                    ? (boxesSeen.count(title) == 1 ? QMessageBox::Ok : QMessageBox::Cancel)
                    : QMessageBox::NoButton;
            QAbstractButton* button =
                answer != QMessageBox::NoButton ? message->button(answer) : message->escapeButton();
            button->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(box)) {
            dialog->reject();
        }
    });
    timer->start(50);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir data;
    if (!QDir().mkpath(folder) || !data.isValid()) {
        std::fprintf(stderr, "cannot use %s\n", argv[1]);
        return 1;
    }
    QFile table(data.filePath(QStringLiteral("data.dat")));
    if (!table.open(QIODevice::WriteOnly)) {
        return 1;
    }
    table.write(
        "are you there=I'm away from the keyboard right now.\r\n"
        "bye=See you later!\r\n"
        "hi=Hello there, I'll be back soon.\r\n"
        "how are you=Fine, thanks!\r\n");
    table.close();

    brevanto::aim::simulated::SimulatedAim aim;
    aim.SetTime(21, 14, 2);
    aim.SignOn("AwayUser");
    brevanto::ui::PracticeWindow practice(aim);
    frmBrevanto window(aim, data.filePath(QStringLiteral("data.dat")).toStdString());
    window.Form_Load();
    window.AddPracticeWindow(&practice);
    window.show();
    window.ShowPracticeWindow();
    // The practice window follows once the main window is on the screen.
    if (!QTest::qWaitForWindowExposed(&window) ||
        !QTest::qWaitFor([&] { return practice.isVisible(); }) ||
        !QTest::qWaitForWindowExposed(&practice)) {
        std::fprintf(stderr, "the windows were never shown\n");
        return 1;
    }

    // One conversation answered and logged, one still open in the practice window.
    const auto answered = aim.OpenIMWindow("pixelfox22");
    aim.DeliverBuddyLine(answered, "hi");
    window.Core().tmrCheckMessage_Timer();
    aim.ProcessMessages();
    const auto open = aim.OpenIMWindow("moth");
    aim.AdvanceTime(40);
    aim.DeliverBuddyLine(open, "are you there?");
    aim.TypeAndSend(open, "yes, for a minute");
    QTest::qWait(1000);

    Look(&window, QStringLiteral("main"), QStringLiteral("Brevanto"));
    Look(&practice, QStringLiteral("practice"), QStringLiteral("Brevanto practice: simulated AIM"));
    CheckBeside(&window, &practice, QStringLiteral("at start"));
    CheckSizing(&window);
    Save(QGuiApplication::primaryScreen()->grabWindow(0), QStringLiteral("screen"));

    practice.close();
    window.findChild<QAction*>(QStringLiteral("mnuPractice"))->trigger();
    Check(QTest::qWaitForWindowExposed(&practice), QStringLiteral("no practice window again"));
    QTest::qWait(300);
    CheckBeside(&window, &practice, QStringLiteral("reopened"));

    brevanto::ui::frmAbout about(&window);
    about.show();
    Look(&about, QStringLiteral("about"), QStringLiteral("About Brevanto"));
    about.close();

    WatchBoxes();
    window.Core().ToggleAutoRespond();  // "Notice", answered No
    aim.BringToFront(open);
    window.Core().LearnAndSave();    // "Learning Conversations", then "Done"
    window.Core().LearnAndSave();    // cancelled, so nothing learned: "Sorry!"
    window.Core().flexGrid_Click();  // the input box, titled "Brevanto"
    const QStringList expected = {
        QStringLiteral("Notice"), QStringLiteral("Learning Conversations"),
        QStringLiteral("Done"),   QStringLiteral("Learning Conversations"),
        QStringLiteral("Sorry!"), QStringLiteral("Brevanto")};
    Check(boxesSeen == expected,
          QStringLiteral("boxes seen: ") + boxesSeen.join(QStringLiteral(", ")));

    for (int round = 1; round <= 2; ++round) {
        MinimiseAndRestore(window, round);
    }
    Save(QGuiApplication::primaryScreen()->grabWindow(0), QStringLiteral("screen-restored"));
    std::printf("%d failed checks\n", failures);
    return failures == 0 ? 0 : 1;
}

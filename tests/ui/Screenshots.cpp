// Takes pictures of the main window and the practice window in the middle of a practice
// session, for people to look at: screenshots <folder>. Run it on a real display (Xvfb
// with a tray, as the screenshot script does); it writes main.png, practice.png and
// screen.png and fails when a picture could not be taken.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <cstdio>

#include "aim/simulated/SimulatedAim.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

namespace {

bool Save(const QPixmap& picture, const QString& path) {
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
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
    brevanto::ui::frmBrevanto window(aim, data.filePath(QStringLiteral("data.dat")).toStdString());
    window.Form_Load();
    window.move(20, 20);
    window.show();
    practice.move(window.frameGeometry().topRight() + QPoint(12, 0));
    practice.show();
    if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitForWindowExposed(&practice)) {
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

    bool saved = Save(window.grab(), QDir(folder).filePath(QStringLiteral("main.png")));
    saved = Save(practice.grab(), QDir(folder).filePath(QStringLiteral("practice.png"))) && saved;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        saved = Save(screen->grabWindow(0), QDir(folder).filePath(QStringLiteral("screen.png"))) &&
                saved;
    }
    return saved ? 0 : 1;
}

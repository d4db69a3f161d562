// Brevanto's entry point: picks the window system, builds the main window and runs the event
// loop. On Windows Brevanto drives the real AIM client; elsewhere it runs against the
// simulated client, shown in the practice window beside the main window.
#include <QApplication>
#include <QObject>

#include "core/SingleInstance.h"
#include "data/InstanceLock.h"
#include "ui/AnsiText.h"
#include "ui/dialogs/ModalBoxes.h"
#include "ui/frmBrevanto.h"

#ifdef _WIN32
#include "aim/win32/Win32WindowSystem.h"
#else
#include "aim/simulated/SimulatedAim.h"
#include "ui/practice/PracticeWindow.h"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brevanto"));
    // The main window hides into the tray; only closing it or "E&xit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // Two Brevantos on one data file would each save over the other's pairs.
    const brevanto::data::InstanceLock lock("data.dat");
    if (lock.state() == brevanto::data::InstanceLock::State::HeldElsewhere) {
        brevanto::ui::ShowMessageBox(
            nullptr, brevanto::ui::FromAnsi(brevanto::core::AlreadyRunningText("data.dat")),
            brevanto::core::kOkOnly, {});
        return 1;
    }

#ifdef _WIN32
    brevanto::aim::Win32WindowSystem windows;
#else
    brevanto::aim::simulated::SimulatedAim windows;
    brevanto::ui::PracticeWindow practice(windows);
#endif

    brevanto::ui::frmBrevanto window(windows);
    QObject::connect(&window, &brevanto::ui::frmBrevanto::programEnded, &app, &QApplication::quit);
    window.Form_Load();
    window.show();

#ifndef _WIN32
    practice.move(window.frameGeometry().topRight() + QPoint(8, 0));
    practice.show();
#endif
    return QApplication::exec();
}

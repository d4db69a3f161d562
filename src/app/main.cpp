// Brevanto's entry point where there is no AIM client for Windows: the Qt window runs
// against the simulated client, shown in the practice window beside the main window.
#include <QApplication>
#include <QObject>

#include "aim/simulated/SimulatedAim.h"
#include "core/SingleInstance.h"
#include "data/InstanceLock.h"
#include "ui/AnsiText.h"
#include "ui/dialogs/ModalBoxes.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

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

    brevanto::aim::simulated::SimulatedAim windows;
    brevanto::ui::PracticeWindow practice(windows);

    brevanto::ui::frmBrevanto window(windows);
    QObject::connect(&window, &brevanto::ui::frmBrevanto::programEnded, &app, &QApplication::quit);
    window.Form_Load();
    window.AddPracticeWindow(&practice);
    QObject::connect(&practice, &brevanto::ui::PracticeWindow::testMessageRequested, &window,
                     [&window] { window.Core().TestAMessage(); });
    window.show();
    window.ShowPracticeWindow();
    return QApplication::exec();
}

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "aim/simulated/SimulatedAim.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

// The window's costs: the time from start to the first shown window, and the work that
// auto-respond mode does every second while nothing happens. Runs without a display.
namespace {

using brevanto::aim::simulated::SimulatedAim;
using brevanto::ui::frmBrevanto;
using brevanto::ui::PracticeWindow;
using Clock = std::chrono::steady_clock;

QString WriteTable(const QTemporaryDir& folder) {
    const QString path = folder.filePath(QStringLiteral("data.dat"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        for (int i = 0; i < 200; ++i) {
            file.write(QStringLiteral("message %1=response %1\r\n")
                           .arg(i, 3, 10, QLatin1Char('0'))
                           .toLatin1());
        }
    }
    return path;
}

struct Session {
    explicit Session(const QString& dataFile) : practice(aim), window(aim, dataFile.toStdString()) {
        window.Form_Load();
        window.show();
        practice.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the main window was never shown");
        }
    }
    SimulatedAim aim;
    PracticeWindow practice;
    frmBrevanto window;
};

// Both windows built, the table loaded and the main window exposed.
void BM_FirstShownWindow(benchmark::State& state) {
    QTemporaryDir folder;
    const QString dataFile = WriteTable(folder);
    for (auto _ : state) {
        Session session(dataFile);
        benchmark::DoNotOptimize(session.window.isVisible());
    }
}
BENCHMARK(BM_FirstShownWindow)->Unit(benchmark::kMillisecond);

// One second of auto-respond mode with no IM window: one tick of the responder and five
// turns of the practice window's message loop. The time per iteration is the share of a
// core the idle mode costs (1 ms = 0.1 %).
void BM_IdleAutoRespondSecond(benchmark::State& state) {
    QTemporaryDir folder;
    Session session(WriteTable(folder));
    for (auto _ : state) {
        session.window.Core().tmrCheckMessage_Timer();
        for (int i = 0; i < 5; ++i) {
            session.practice.tmrMessageLoop_Timer();
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_IdleAutoRespondSecond)->Unit(benchmark::kMicrosecond);

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The real thing, timers and all: auto-respond mode switched on through the notice and left
// alone for some seconds of wall time; prints the process's CPU share over them.
void MeasureIdleAutoRespond(int seconds) {
    QTemporaryDir folder;
    Session session(WriteTable(folder));
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Yes)->click();
        }
    });
    session.window.Core().ToggleAutoRespond();
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = Clock::now();
    // A plain event loop, as the program runs; QTest::qWait would poll every 10 ms.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("idle auto-respond mode (%s): %.3f %% of a core over %.1f s\n",
                session.window.Core().Mode().checkMessageTimerEnabled ? "on" : "OFF",
                100.0 * cpu / wall, wall);
}

}  // namespace

int main(int argc, char** argv) {
    const auto processStart = Clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    {
        QTemporaryDir folder;
        Session first(WriteTable(folder));
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - processStart).count();
        std::printf("start to first shown window (application and both windows): %.1f ms\n", ms);
    }
    const char* idleSeconds = std::getenv("BREVANTO_IDLE_SECONDS");
    MeasureIdleAutoRespond(idleSeconds ? std::atoi(idleSeconds) : 10);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "aim/simulated/SimulatedAim.h"
#include "hardening/HostileTranscript.h"
#include "ui/frmBrevanto.h"
#include "ui/practice/PracticeWindow.h"

// The responder and start-up measured through the real Qt window, offscreen: the windows
// built as the program builds them, and every tick followed by the events and the repaint
// it causes.
namespace {

using brevanto::aim::Hwnd;
using brevanto::aim::simulated::SimulatedAim;
using brevanto::ui::frmBrevanto;
using brevanto::ui::PracticeWindow;

QString WriteFile(const QTemporaryDir& folder, const QByteArray& content) {
    const QString path = folder.filePath(QStringLiteral("data.dat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray Entries(int count) {
    QByteArray table;
    for (int i = 0; i < count; ++i) {
        table += "message number " + QByteArray::number(i) + "=the response to message " +
                 QByteArray::number(i) + "\r\n";
    }
    return table;
}

struct Session {
    explicit Session(const QString& dataFile) : practice(aim), window(aim, dataFile.toStdString()) {
        aim.SignOn("quietowl7");
        window.Form_Load();
        window.AddPracticeWindow(&practice);
        window.show();
        window.ShowPracticeWindow();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the main window was never shown");
        }
        Settle();
    }
    // The events pending, repaints included, handled.
    static void Settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    // A tick of the responder and everything it makes the windows do.
    void Tick() {
        window.Core().tmrCheckMessage_Timer();
        Settle();
    }
    SimulatedAim aim;
    PracticeWindow practice;
    frmBrevanto window;
};

// An IM window holding about 10 KB of transcript that ends with the buddy's message, looked
// up in 1,000 entries; a fresh window each time.
void BM_QtTick_10KBTranscript_1000Entries(benchmark::State& state) {
    QTemporaryDir folder;
    const QString dataFile = WriteFile(folder, Entries(1000));
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<Session>(dataFile);
        const Hwnd im = session->aim.OpenIMWindow("pixelfox22");
        while (session->aim.TranscriptHtml(im).size() < 10 * 1024) {
            session->aim.DeliverBuddyLine(im,
                                          "are you there? i wanted to ask you about the weekend");
            session->aim.TypeAndSend(
                im, "yes, the weekend looks fine to me, what did you have in mind");
        }
        session->aim.DeliverBuddyLine(im, "Message number 500?");
        state.ResumeTiming();
        session->Tick();
        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QtTick_10KBTranscript_1000Entries)->Unit(benchmark::kMillisecond);

// One buddy message of a hostile megabyte (about 700 KB of text without a line break once
// converted), logged and shown in the log box.
void BM_QtTick_HostileMegabyte(benchmark::State& state) {
    QTemporaryDir folder;
    const QString dataFile = WriteFile(folder, "hi=hello\r\n");
    const std::string html = brevanto::hardening::HostileTranscriptHtml();
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<Session>(dataFile);
        const Hwnd im = session->aim.OpenIMWindow(std::string(brevanto::hardening::kHostileBuddy));
        session->aim.SetCaption(session->aim.TranscriptPane(im), html);
        state.ResumeTiming();
        session->Tick();
        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QtTick_HostileMegabyte)->Unit(benchmark::kMillisecond);

// One more reply to a buddy already answered 30, 300 or 1,000 times: the log box holds the
// whole log, and the tick should cost the same however long it is.
void BM_QtTick_AfterReplies(benchmark::State& state) {
    QTemporaryDir folder;
    Session session(WriteFile(folder, Entries(1000)));
    auto reply = [&session] {
        const Hwnd im = session.aim.OpenIMWindow("pixelfox22");
        session.aim.DeliverBuddyLine(im, "are you there? i wanted to ask you about the weekend");
        return im;
    };
    for (int i = 0; i < state.range(0); ++i) {
        reply();
        session.Tick();
        session.aim.ProcessMessages();
    }
    for (auto _ : state) {
        state.PauseTiming();
        reply();
        state.ResumeTiming();
        session.Tick();
        state.PauseTiming();
        session.aim.ProcessMessages();
        state.ResumeTiming();
    }
    state.counters["log_bytes"] =
        static_cast<double>(session.window.Core().Conversations().front().Transcript.size());
}
BENCHMARK(BM_QtTick_AfterReplies)->Arg(30)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

// A click on a megabyte cell until the input box is shown with the whole text, OK pressed
// at once and the table updated.
void BM_QtOpenMegabyteCell(benchmark::State& state) {
    QTemporaryDir folder;
    Session session(WriteFile(folder, "hi=" + QByteArray(1 << 20, 'x') + "\r\n"));
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        session.window.Core().Table().SetRow(0);
        session.window.Core().Table().SetCol(1);
        session.window.Core().flexGrid_Click();
        Session::Settle();
    }
    if (session.window.Core().Table().Cell(0, 1).size() != (1 << 20)) {
        state.SkipWithError("the cell did not come back whole");
    }
}
BENCHMARK(BM_QtOpenMegabyteCell)->Unit(benchmark::kMillisecond);

// From nothing to both windows shown and painted, on a table of 100,000 rows or one row
// whose response is a 10 MB line.
void BM_QtStart(benchmark::State& state, const QByteArray& table) {
    QTemporaryDir folder;
    const QString dataFile = WriteFile(folder, table);
    for (auto _ : state) {
        Session session(dataFile);
    }
}
BENCHMARK_CAPTURE(BM_QtStart, 100000Rows, Entries(100000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtStart, 10MBLine, "hi=" + QByteArray(10 << 20, 'x') + "\r\n")
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

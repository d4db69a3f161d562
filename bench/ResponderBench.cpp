#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "BenchFiles.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"

// The responder's options: "Test a Message" on a large data file, and the tick of
// CoreBench.cpp with the reply limit and the kept conversations switched on.
namespace {

namespace fs = std::filesystem;
using brevanto::aim::Hwnd;
using brevanto::aim::simulated::SimulatedAim;
using brevanto::core::HeadlessControls;
using brevanto::core::MainWindow;
using brevanto::core::WindowGeometry;

using brevanto::bench::BenchFolder;
using brevanto::bench::WriteTable;

WindowGeometry Geometry() {
    WindowGeometry geometry;
    geometry.windowWidth = 10065;
    geometry.windowHeight = 6645;
    geometry.gridWidth = 4935;
    return geometry;
}

// The message typed matches the last of 100,000 entries: the whole file is read and
// searched, then the explanation is put together and shown.
void BM_TestAMessage_100000Lines(benchmark::State& state) {
    BenchFolder folder("brevanto-responder-bench-");
    const fs::path dataFile = folder / "data.dat";
    WriteTable(dataFile, 100000);
    SimulatedAim aim;
    HeadlessControls controls;
    MainWindow window(aim, controls, dataFile);
    window.Form_Load(Geometry());

    for (auto _ : state) {
        controls.inputBoxAnswers.push_back("Message number 99999?");
        window.TestAMessage();
    }
    state.counters["data_bytes"] = static_cast<double>(fs::file_size(dataFile));
    if (controls.boxes.back().prompt.find("row 100000") == std::string::npos) {
        state.SkipWithError("the last entry was not found");
    }
}
BENCHMARK(BM_TestAMessage_100000Lines)->Unit(benchmark::kMillisecond);

// The tick benchmark of CoreBench.cpp (10 KB of transcript, 1,000 entries) with a reply
// limit of 5 minutes; with range(0) = 1 each conversation is also appended to its file.
void BM_Tick_Limit_10KBTranscript_1000Entries(benchmark::State& state) {
    BenchFolder folder("brevanto-responder-bench-");
    const fs::path dataFile = folder / "data.dat";
    WriteTable(dataFile, 1000);
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    HeadlessControls controls;
    const bool keep = state.range(0) != 0;

    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<MainWindow>(aim, controls, dataFile);
        window->Form_Load(Geometry());
        controls.inputBoxAnswers.push_back("5");
        window->AskReplyLimit();
        if (keep) {
            window->ToggleKeepConversations();
        }
        const Hwnd im = aim.OpenIMWindow("pixelfox22");
        while (aim.TranscriptHtml(im).size() < 10 * 1024) {
            aim.DeliverBuddyLine(im, "are you there? i wanted to ask you about the weekend");
            aim.TypeAndSend(im, "yes, the weekend looks fine to me, what did you have in mind");
        }
        aim.DeliverBuddyLine(im, "Message number 500?");
        aim.ClearCalls();
        state.ResumeTiming();

        window->tmrCheckMessage_Timer();

        state.PauseTiming();
        aim.ProcessMessages();
        window.reset();
        // The options file and the kept conversations of this round go.
        fs::remove_all(folder / "logs");
        fs::remove(folder / "brevanto.ini");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Tick_Limit_10KBTranscript_1000Entries)
    ->ArgName("keep")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

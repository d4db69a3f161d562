#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "BenchSetup.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"

// "Test a Message" on a large data file. (The tick with the responder's options switched on
// is measured beside the plain tick in CoreBench.cpp.)
namespace {

namespace fs = std::filesystem;
using brevanto::aim::simulated::SimulatedAim;
using brevanto::core::HeadlessControls;
using brevanto::core::MainWindow;

using brevanto::bench::BenchFolder;
using brevanto::bench::DesignGeometry;
using brevanto::bench::WriteTable;

// The message typed matches the last of 100,000 entries: the whole file is read and
// searched, then the explanation is put together and shown.
void BM_TestAMessage_100000Lines(benchmark::State& state) {
    BenchFolder folder("brevanto-responder-bench-");
    const fs::path dataFile = folder / "data.dat";
    WriteTable(dataFile, 100000);
    SimulatedAim aim;
    HeadlessControls controls;
    MainWindow window(aim, controls, dataFile);
    window.Form_Load(DesignGeometry());

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

}  // namespace

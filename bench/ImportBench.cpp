#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"

// Importing a large CSV file through the main window: reading, parsing, converting to the
// code page and merging, as the menu command does it, with the file on disk.
namespace {

namespace fs = std::filesystem;
using brevanto::core::HeadlessControls;
using brevanto::core::MainWindow;

// A folder of its own for the run, removed at the end.
struct BenchFolder {
    fs::path path = fs::temp_directory_path() /
                    ("brevanto-import-bench-" + std::to_string(std::random_device()()));
    BenchFolder() { fs::create_directories(path); }
    ~BenchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

fs::path Folder() {
    static const BenchFolder folder;
    return folder.path;
}

// pairs records of ~40 bytes, every tenth quoted with a comma and a doubled quote, some
// with "é" in UTF-8.
fs::path CsvFile(int pairs) {
    const fs::path path = Folder() / ("import-" + std::to_string(pairs) + ".csv");
    if (!fs::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBFMessage,Response\r\n";
        for (int i = 0; i < pairs; ++i) {
            if (i % 10 == 0) {
                out << "\"message, \"\"" << i << "\"\"\",\"caf\xC3\xA9 answer " << i << "\"\r\n";
            } else {
                out << "message number " << i << ",answer number " << i << "\r\n";
            }
        }
    }
    return path;
}

// state.range(1): whether the table already holds every message (all pairs kept).
void BM_ImportCsv(benchmark::State& state) {
    const int pairs = static_cast<int>(state.range(0));
    const fs::path csv = CsvFile(pairs);
    const fs::path dataFile = Folder() / "data.dat";
    std::ofstream(dataFile, std::ios::binary | std::ios::trunc).flush();
    brevanto::aim::simulated::SimulatedAim aim;
    HeadlessControls controls;
    for (auto _ : state) {
        state.PauseTiming();
        MainWindow window(aim, controls, dataFile);
        window.Form_Load({});
        if (state.range(1) != 0) {
            controls.fileAnswers = {csv};
            window.ImportTable();
        }
        controls.fileAnswers = {csv};
        state.ResumeTiming();
        window.ImportTable();
        benchmark::DoNotOptimize(window.Table().Rows());
    }
    state.SetItemsProcessed(state.iterations() * pairs);
}
BENCHMARK(BM_ImportCsv)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

// What one tick of the responder costs on hostile input: a 1 MB buddy message of broken
// tags, name runs and NUL bytes (the tick must stay well inside the timer's 1000 ms, and
// within 50 ms), and a hung IM window, which the simulated client answers at once, so the
// figure is the tick's own work beside the send time-outs it waits for on Windows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "aim/simulated/SimulatedAim.h"
#include "aim/text/TranscriptText.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "hardening/HostileTranscript.h"
#include "oracles/LiteralText.h"

namespace {

using brevanto::aim::simulated::SimulatedAim;
namespace hardening = brevanto::hardening;

// A folder of its own holding a one-entry data file, removed afterwards.
struct DataFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("brevanto-bench-" + std::to_string(std::random_device()()));
    DataFolder() {
        std::filesystem::create_directories(path);
        std::ofstream(path / "data.dat", std::ios::binary) << "hi=hello\r\n";
    }
    ~DataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path DataFile() const { return path / "data.dat"; }
};

// A responder with one IM window whose pane holds html, ready for its tick.
struct Responder {
    SimulatedAim aim;
    brevanto::core::HeadlessControls controls;
    brevanto::core::MainWindow window;

    Responder(const std::filesystem::path& dataFile, const std::string& html)
        : window(aim, controls, dataFile) {
        aim.SignOn("quietowl7");
        const auto im = aim.OpenIMWindow(std::string(hardening::kHostileBuddy));
        aim.SetCaption(aim.TranscriptPane(im), html);
    }
};

void BM_TickOnHostileMegabyte(benchmark::State& state) {
    const DataFolder folder;
    const std::string html = hardening::HostileTranscriptHtml();
    for (auto _ : state) {
        state.PauseTiming();
        auto responder = std::make_unique<Responder>(folder.DataFile(), html);
        state.ResumeTiming();
        responder->window.tmrCheckMessage_Timer();
        state.PauseTiming();
        responder.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_TickOnHostileMegabyte)->Unit(benchmark::kMillisecond);

void BM_HTMLToTextHostileMegabyte(benchmark::State& state) {
    const std::string html = hardening::HostileTranscriptHtml();
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevanto::modAIM::HTMLToText(html));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_HTMLToTextHostileMegabyte)->Unit(benchmark::kMillisecond);

// The literal conversion on the same text, for comparison: it copies the text once per
// replacement and per removed range.
void BM_LiteralHTMLToTextHostileMegabyte(benchmark::State& state) {
    const std::string html = hardening::HostileTranscriptHtml();
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevanto::oracle::HTMLToText(html));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(html.size()));
}
BENCHMARK(BM_LiteralHTMLToTextHostileMegabyte)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TickOnHungWindow(benchmark::State& state) {
    const DataFolder folder;
    Responder responder(folder.DataFile(), "");
    const auto im = responder.aim.IMWindows().front();
    responder.aim.DeliverBuddyLine(im, "hi");
    for (const auto window : {im, responder.aim.TranscriptPane(im), responder.aim.InputPane(im),
                              responder.aim.SendButton(im)}) {
        responder.aim.SetStalled(window, true);
    }
    for (auto _ : state) {
        // The hung window stays first, so every tick meets it again.
        responder.window.tmrCheckMessage_Timer();
        responder.aim.ClearCalls();
    }
}
BENCHMARK(BM_TickOnHungWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

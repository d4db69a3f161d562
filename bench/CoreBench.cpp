#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "BenchSetup.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/FileOps.h"
#include "data/Learning.h"
#include "oracles/LiteralLearning.h"

// The responder's hot paths: one auto-respond tick, one save of a large table, the learning
// split beside its literal oracle, and "Test a Message" on a large data file.
namespace {

namespace fs = std::filesystem;
using brevanto::aim::Hwnd;
using brevanto::aim::simulated::SimulatedAim;
using brevanto::core::HeadlessControls;
using brevanto::core::MainWindow;

using brevanto::bench::BenchFolder;
using brevanto::bench::DesignGeometry;
using brevanto::bench::WriteTable;

// The system's file calls, counting the crash-safe replacements of a file.
class CountingFiles : public brevanto::data::FileOps {
  public:
    using SysResult = brevanto::data::SysResult;
    long long replacements = 0;

    SysResult OpenForReading(const fs::path& p) override { return real_.OpenForReading(p); }
    SysResult OpenOrCreate(const fs::path& p) override { return real_.OpenOrCreate(p); }
    SysResult CreateNew(const fs::path& p) override { return real_.CreateNew(p); }
    SysResult Read(int h, char* b, std::size_t n) override { return real_.Read(h, b, n); }
    SysResult Write(int h, const char* d, std::size_t n) override { return real_.Write(h, d, n); }
    SysResult Sync(int h) override { return real_.Sync(h); }
    SysResult Close(int h) override { return real_.Close(h); }
    SysResult Rename(const fs::path& from, const fs::path& to) override {
        ++replacements;
        return real_.Rename(from, to);
    }
    SysResult Remove(const fs::path& p) override { return real_.Remove(p); }
    SysResult OpenDirectory(const fs::path& p) override { return real_.OpenDirectory(p); }
    SysResult SyncDirectory(int h) override { return real_.SyncDirectory(h); }
    SysResult CloseDirectory(int h) override { return real_.CloseDirectory(h); }
    SysResult Inspect(const fs::path& p, brevanto::data::FileInfo& info) override {
        return real_.Inspect(p, info);
    }
    fs::path ResolveLink(const fs::path& p) override { return real_.ResolveLink(p); }
    SysResult SetPermissions(const fs::path& p, unsigned bits) override {
        return real_.SetPermissions(p, bits);
    }

  private:
    brevanto::data::FileOps& real_ = brevanto::data::SystemFileOps();
};

// One tick on an IM window holding about 10 KB of transcript HTML that ends with the
// buddy's message, looked up in a data file of 1,000 entries (the match half-way down).
// range(0): 0 with the options off, 1 with a reply limit of 5 minutes, 2 with the limit and
// the conversation appended to its file in logs/.
void BM_Tick_10KBTranscript_1000Entries(benchmark::State& state) {
    BenchFolder folder("brevanto-core-bench-");
    const fs::path dataFile = folder / "data.dat";
    WriteTable(dataFile, 1000);
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    HeadlessControls controls;
    std::size_t transcriptBytes = 0;

    for (auto _ : state) {
        state.PauseTiming();
        // A fresh window and log each time, so the run does not measure a growing log.
        auto window = std::make_unique<MainWindow>(aim, controls, dataFile);
        window->Form_Load(DesignGeometry());
        if (state.range(0) >= 1) {
            controls.inputBoxAnswers.push_back("5");
            window->AskReplyLimit();
        }
        if (state.range(0) == 2) {
            window->ToggleKeepConversations();
        }
        const Hwnd im = aim.OpenIMWindow("pixelfox22");
        while (aim.TranscriptHtml(im).size() < 10 * 1024) {
            aim.DeliverBuddyLine(im, "are you there? i wanted to ask you about the weekend");
            aim.TypeAndSend(im, "yes, the weekend looks fine to me, what did you have in mind");
        }
        aim.DeliverBuddyLine(im, "Message number 500?");
        transcriptBytes = aim.TranscriptHtml(im).size();
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
    state.counters["transcript_bytes"] = static_cast<double>(transcriptBytes);
}
BENCHMARK(BM_Tick_10KBTranscript_1000Entries)
    ->ArgName("options")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

// SaveData on a table of 10,000 distinct rows: the table written once, sorted once,
// reloaded.
void BM_SaveData_10000Rows(benchmark::State& state) {
    BenchFolder folder("brevanto-core-bench-");
    const fs::path dataFile = folder / "data.dat";
    std::ofstream(dataFile, std::ios::binary).flush();
    SimulatedAim aim;
    HeadlessControls controls;
    CountingFiles files;
    MainWindow window(aim, controls, dataFile, files);
    window.Form_Load(DesignGeometry());
    auto& table = window.Table();
    table.SetRows(10000);
    for (int row = 0; row < table.Rows(); ++row) {
        table.SetCell(row, 0, "How Are You Today, Friend Number " + std::to_string(row) + "?");
        table.SetCell(row, 1, " fine thanks, and you? " + std::to_string(row * 7) + " ");
    }
    files.replacements = 0;

    for (auto _ : state) {
        window.SaveData();
    }
    state.counters["file_replacements_per_save"] =
        static_cast<double>(files.replacements) / static_cast<double>(state.iterations());
    state.counters["rows"] = table.Rows();
}
BENCHMARK(BM_SaveData_10000Rows)->Unit(benchmark::kMillisecond);

// SaveData on a given table, put back before each save (a save shows the table as stored,
// merged and sorted); the table's rows come from fill.
template <class Fill>
void SaveTable(benchmark::State& state, Fill fill) {
    BenchFolder folder("brevanto-core-bench-");
    const fs::path dataFile = folder / "data.dat";
    std::ofstream(dataFile, std::ios::binary).flush();
    SimulatedAim aim;
    HeadlessControls controls;
    MainWindow window(aim, controls, dataFile);
    window.Form_Load(DesignGeometry());
    brevanto::data::MessageTable table;
    fill(table);
    std::size_t bytes = 0;
    for (int row = 0; row < table.Rows(); ++row) {
        bytes += table.Cell(row, 0).size() + table.Cell(row, 1).size();
    }
    for (auto _ : state) {
        state.PauseTiming();
        window.Table() = table;
        state.ResumeTiming();
        window.SaveData();
    }
    state.counters["rows"] = table.Rows();
    state.counters["table_bytes"] = static_cast<double>(bytes);
}

void AddRow(brevanto::data::MessageTable& table, std::string message, std::string response) {
    const int row = table.Rows();
    table.SetRows(row + 1);
    table.SetCell(row, 0, std::move(message));
    table.SetCell(row, 1, std::move(response));
}

// Two rows whose messages are n "=" signs: each message is a prefix of the other's line.
void BM_SaveData_TwoRowsOfEquals(benchmark::State& state) {
    const std::string equals(static_cast<std::size_t>(state.range(0)), '=');
    SaveTable(state, [&](auto& table) {
        AddRow(table, equals, "first");
        AddRow(table, equals, "second");
    });
}
BENCHMARK(BM_SaveData_TwoRowsOfEquals)
    ->RangeMultiplier(10)
    ->Range(10000, 1000000)
    ->Arg(3000000)
    ->Unit(benchmark::kMillisecond);

constexpr std::size_t kTenMegabytes = 10u << 20;

// Tables of 10 MB in different shapes.
enum TableShape : int {
    kShortRows,          // ~170,000 rows of a few words, every tenth message repeated
    kEqualsResponse,     // one row whose response is 10 MB of "="
    kEqualsMessage,      // one row whose message is 10 MB of "="
    kTwoEqualsMessages,  // two rows whose messages are 5 MB of "="
    kEqualsStaircase,    // rows of 1, 2, 3, ... "=" as message and as response
    kSharedLongPrefix,   // 1,000 rows whose messages are 10 KB of "=" and a number
};

void BM_SaveData_10MB(benchmark::State& state) {
    SaveTable(state, [&](brevanto::data::MessageTable& table) {
        switch (static_cast<TableShape>(state.range(0))) {
            case kShortRows:
                for (std::size_t bytes = 0, i = 0; bytes < kTenMegabytes; ++i) {
                    std::string message =
                        "How Are You, Friend " + std::to_string(i % 9 == 0 ? i / 2 : i);
                    std::string response = "fine, and you? " + std::to_string(i * 7) + " =)";
                    bytes += message.size() + response.size();
                    AddRow(table, std::move(message), std::move(response));
                }
                break;
            case kEqualsResponse:
                AddRow(table, "x", std::string(kTenMegabytes, '='));
                break;
            case kEqualsMessage:
                AddRow(table, std::string(kTenMegabytes, '='), "x");
                break;
            case kTwoEqualsMessages:
                AddRow(table, std::string(kTenMegabytes / 2, '='), "first");
                AddRow(table, std::string(kTenMegabytes / 2, '='), "second");
                break;
            case kEqualsStaircase:
                for (std::size_t bytes = 0, n = 1; bytes < kTenMegabytes; ++n) {
                    AddRow(table, std::string(n, '='), std::string(n, '='));
                    bytes += 2 * n;
                }
                break;
            case kSharedLongPrefix:
                for (int i = 0; i < 1000; ++i) {
                    AddRow(table, std::string(10 << 10, '=') + std::to_string(i), "=");
                }
                break;
        }
    });
}
BENCHMARK(BM_SaveData_10MB)
    ->DenseRange(kShortRows, kSharedLongPrefix)
    ->Unit(benchmark::kMillisecond);

// A conversation of alternating stretches, with the line feeds already turned into spaces.
std::string Conversation(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i) {
        text += "pixelfox22: are you there? number " + std::to_string(i) + " ";
        if (i % 3 == 0) {
            text += "pixelfox22: hello?? ";
        }
        text += "quietowl7: Yes I Am Here, What Is Up " + std::to_string(i) + " ";
    }
    return text;
}

void BM_SplitConversation(benchmark::State& state) {
    const std::string transcript = Conversation(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            brevanto::data::SplitConversation(transcript, "pixelfox22: ", "quietowl7: "));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(transcript.size()));
}
BENCHMARK(BM_SplitConversation)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// Conversations of 1 MB in other shapes, each beside the literal loop on the same text.
enum SplitShape : int {
    kAlternatingLabels,       // nothing but the two labels, taking turns
    kLongStretches,           // 10 KB stretches with the labels in other cases inside them
    kLabelsRepeatThemselves,  // labels "aaaa: " and "aaab: ", runs of "a" between
};

std::string ShapedConversation(int shape) {
    std::string text;
    while (text.size() < (1u << 20)) {
        switch (static_cast<SplitShape>(shape)) {
            case kAlternatingLabels:
                text += "pixelfox22: quietowl7: ";
                break;
            case kLongStretches:
                text += "pixelfox22: ";
                for (int i = 0; i < 200; ++i) {
                    text += "Pixelfox22: and QUIETOWL7: said so ";
                }
                text += "quietowl7: ";
                for (int i = 0; i < 200; ++i) {
                    text += "PIXELFOX22: was right, ok ";
                }
                break;
            case kLabelsRepeatThemselves:
                text += "aaaa: aaaaaaaaaaaaa aaaab: aaaaaaaaa aaa ";
                break;
        }
    }
    return text;
}

std::pair<const char*, const char*> ShapeLabels(int shape) {
    return shape == kLabelsRepeatThemselves ? std::pair{"aaaa: ", "aaab: "}
                                            : std::pair{"pixelfox22: ", "quietowl7: "};
}

void BM_SplitShape(benchmark::State& state) {
    const int shape = static_cast<int>(state.range(0));
    const std::string transcript = ShapedConversation(shape);
    const auto [buddy, user] = ShapeLabels(shape);
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevanto::data::SplitConversation(transcript, buddy, user));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(transcript.size()));
}
BENCHMARK(BM_SplitShape)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SplitShape_LiteralOracle(benchmark::State& state) {
    const int shape = static_cast<int>(state.range(0));
    const std::string transcript = ShapedConversation(shape);
    const auto [buddy, user] = ShapeLabels(shape);
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevanto::oracles::LiteralLearning(transcript, buddy, user));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(transcript.size()));
}
// Quadratic; one run each at 1 MB.
BENCHMARK(BM_SplitShape_LiteralOracle)
    ->DenseRange(0, 2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_SplitConversation_LiteralOracle(benchmark::State& state) {
    const std::string transcript = Conversation(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            brevanto::oracles::LiteralLearning(transcript, "pixelfox22: ", "quietowl7: "));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(transcript.size()));
}
// Quadratic: it copies the rest of the transcript for every pair, so it gets 64 KB only.
BENCHMARK(BM_SplitConversation_LiteralOracle)->Arg(64 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitConversation_LiteralOracle)
    ->Arg(1 << 20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

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

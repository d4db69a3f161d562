#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/TableFile.h"
#include "data/modFileIO.h"
#include "oracles/LiteralFileIO.h"

namespace {

using namespace brevanto;

// Lines shaped like a grown message table: lower-case messages of a few words, responses
// with capitals, a few lines without "=", in random order.
std::vector<std::string> SampleLines(std::size_t count, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = std::to_string(random() % 1000000);
        if (i % 97 == 0) {
            lines.push_back("a note without an equals sign " + n);
        } else {
            lines.push_back("how are you doing " + n + " today=Fine, thanks! And you " + n);
        }
    }
    return lines;
}

std::vector<modFileIO::TablePair> SamplePairs(std::size_t count) {
    std::vector<modFileIO::TablePair> pairs;
    for (const std::string& line : SampleLines(count, 2)) {
        const std::size_t equals = line.find('=');
        // Every tenth row repeats an earlier message in capitals, as a table with edits has.
        std::string message = line.substr(0, equals);
        if (pairs.size() % 10 == 9) {
            message = pairs[pairs.size() / 2].message;
            std::transform(message.begin(), message.end(), message.begin(), ::toupper);
        }
        pairs.push_back({message, equals == std::string::npos ? "" : line.substr(equals + 1)});
    }
    return pairs;
}

// A folder of its own under the temporary folder, removed at the end.
class BenchFile {
  public:
    explicit BenchFile(const std::string& bytes) {
        static std::atomic<int> counter{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("brevanto-bench-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                std::to_string(++counter));
        std::filesystem::create_directories(dir_);
        Write(bytes);
    }
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    void Write(const std::string& bytes) const {
        std::ofstream(path(), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::filesystem::path path() const { return dir_ / "data.dat"; }

  private:
    std::filesystem::path dir_;
};

constexpr std::size_t kFileLines = 100000;
constexpr std::size_t kTableRows = 10000;

// The message asked for is absent, so every line is looked at: the worst case.
void BM_GetEntry(benchmark::State& state) {
    const BenchFile file(modFileIO::JoinLines(SampleLines(kFileLines)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modFileIO::GetEntry("  How are you doing today ", file.path()));
    }
}
BENCHMARK(BM_GetEntry)->Unit(benchmark::kMillisecond);

void BM_GetEntry_LiteralOracle(benchmark::State& state) {
    const std::string bytes = modFileIO::JoinLines(SampleLines(kFileLines));
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle::LiteralGetEntry(bytes, "  How are you doing today "));
    }
}
BENCHMARK(BM_GetEntry_LiteralOracle)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortFile(benchmark::State& state) {
    const std::string unsorted = modFileIO::JoinLines(SampleLines(kFileLines));
    const BenchFile file(unsorted);
    for (auto _ : state) {
        state.PauseTiming();
        file.Write(unsorted);
        state.ResumeTiming();
        if (modFileIO::SortFile(file.path())) {
            state.SkipWithError("SortFile failed");
        }
    }
}
BENCHMARK(BM_SortFile)->Unit(benchmark::kMillisecond);

void BM_SortedContent_InMemory(benchmark::State& state) {
    const std::string unsorted = modFileIO::JoinLines(SampleLines(kFileLines));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modFileIO::SortedContent(unsorted));
    }
}
BENCHMARK(BM_SortedContent_InMemory)->Unit(benchmark::kMillisecond);

// The exchange sort is n x n; 2,000 lines already take a noticeable time.
void BM_SortFile_LiteralOracle(benchmark::State& state) {
    const std::vector<std::string> lines = SampleLines(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle::LiteralSortFile(lines));
    }
}
BENCHMARK(BM_SortFile_LiteralOracle)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortedContent_Small(benchmark::State& state) {
    const std::string bytes =
        modFileIO::JoinLines(SampleLines(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modFileIO::SortedContent(bytes));
    }
}
BENCHMARK(BM_SortedContent_Small)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_TableLines(benchmark::State& state) {
    const auto pairs = SamplePairs(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modFileIO::TableLines(pairs));
    }
}
BENCHMARK(BM_TableLines)->Arg(2000)->Arg(kTableRows)->Unit(benchmark::kMillisecond);

// Storing row by row scans the lines stored so far for every row: quadratic.
void BM_TableLines_LiteralOracle(benchmark::State& state) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& pair : SamplePairs(static_cast<std::size_t>(state.range(0)))) {
        rows.emplace_back(pair.message, pair.response);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle::LiteralSaveRows(rows));
    }
}
BENCHMARK(BM_TableLines_LiteralOracle)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Two rows whose messages are n "=" signs: the second row's message is a prefix of the
// first row's line at every length up to n.
std::vector<modFileIO::TablePair> EqualsPairs(std::size_t n) {
    return {{std::string(n, '='), "first"}, {std::string(n, '='), "second"}};
}

void BM_TableLines_TwoRowsOfEquals(benchmark::State& state) {
    const auto pairs = EqualsPairs(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modFileIO::TableLines(pairs));
    }
}
BENCHMARK(BM_TableLines_TwoRowsOfEquals)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_TableLines_TwoRowsOfEquals_LiteralOracle(benchmark::State& state) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& pair : EqualsPairs(static_cast<std::size_t>(state.range(0)))) {
        rows.emplace_back(pair.message, pair.response);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(oracle::LiteralSaveRows(rows));
    }
}
BENCHMARK(BM_TableLines_TwoRowsOfEquals_LiteralOracle)->Arg(100000)->Unit(benchmark::kMillisecond);

// The whole save of a table: built in memory, written once, crash-safely.
void BM_SaveTable(benchmark::State& state) {
    const auto pairs = SamplePairs(kTableRows);
    const BenchFile file("");
    for (auto _ : state) {
        if (modFileIO::WriteLines(file.path(), modFileIO::TableLines(pairs))) {
            state.SkipWithError("WriteLines failed");
        }
    }
}
BENCHMARK(BM_SaveTable)->Unit(benchmark::kMillisecond);

}  // namespace

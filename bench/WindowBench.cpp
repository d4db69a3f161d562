#include <benchmark/benchmark.h>

#include <string>

#include "aim/modAIM.h"
#include "aim/simulated/SimulatedAim.h"
#include "oracles/LiteralLastMessage.h"

namespace {

using brevanto::aim::simulated::SimulatedAim;
namespace modAIM = brevanto::modAIM;

const std::string Buddy = "pixelfox22";

// A converted transcript of about `bytes` bytes: one buddy line per 100 bytes, with the
// user's answer after each but the last, so the tail is the buddy's last line. With
// longTail, every buddy line after the first spells the name in another case and the user
// never answers: the tail is the whole transcript, the worst case for both searches.
std::string Transcript(std::size_t bytes, bool longTail = false) {
    const std::string later = longTail ? "Pixelfox22" : Buddy;
    const std::string user = longTail ? "QuietOwl7" : "quietowl7";
    std::string transcript = Buddy + ": hi ";
    transcript.reserve(bytes + 100);
    while (transcript.size() + 100 < bytes) {
        transcript += later + ": are you there, still at the desk? ";
        transcript += user + ": away right now, back soon, sorry!!! ";
    }
    transcript += later + ": ok bye ";
    return transcript;
}

void BM_GetLastMessage(benchmark::State& state) {
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    const std::string transcript = Transcript(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(modAIM::GetLastMessage(aim, transcript, Buddy));
        aim.ClearCalls();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(transcript.size()));
}
BENCHMARK(BM_GetLastMessage)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_GetLastMessage_LongTail(benchmark::State& state) {
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    const std::string transcript = Transcript(static_cast<std::size_t>(state.range(0)), true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(modAIM::GetLastMessage(aim, transcript, Buddy));
        aim.ClearCalls();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(transcript.size()));
}
BENCHMARK(BM_GetLastMessage_LongTail)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The delete-and-search loop copies and lower-cases the transcript once per occurrence:
// quadratic, so it gets the 64 KB transcripts (about 650 occurrences) and one iteration.
void BM_GetLastMessage_LiteralOracle(benchmark::State& state) {
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    const std::string transcript =
        Transcript(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(brevanto::oracles::LiteralLastMessage(
            transcript, Buddy, [&] { return modAIM::GetMyScreenName(aim); }));
        aim.ClearCalls();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(transcript.size()));
}
BENCHMARK(BM_GetLastMessage_LiteralOracle)
    ->Args({1 << 16, 0})
    ->Args({1 << 16, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A name whose prefix repeats all through the transcript: a naive search would compare
// almost the whole name at every position; this one stays linear.
void BM_GetLastMessage_RepetitiveName(benchmark::State& state) {
    SimulatedAim aim;
    aim.SignOn("quietowl7");
    const std::string transcript(static_cast<std::size_t>(state.range(0)), 'a');
    const std::string name = std::string(64, 'a') + "b";
    for (auto _ : state) {
        benchmark::DoNotOptimize(modAIM::GetLastMessage(aim, transcript, name));
        aim.ClearCalls();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(transcript.size()));
}
BENCHMARK(BM_GetLastMessage_RepetitiveName)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

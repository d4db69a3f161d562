// Transcript text routines beside their literal oracles, on AIM-style transcripts of
// 10 KB, 100 KB and 1 MB. The oracles are quadratic: at 1 MB they run one iteration.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "aim/text/TranscriptText.h"
#include "oracles/LiteralText.h"

namespace {

// A transcript the way the AIM client writes its IM pane: one font/bold/comment group per
// message, the whole wrapped once in an HTML body.
std::string MakeTranscript(std::size_t size) {
    const std::vector<std::string> names = {"pixelfox22", "quietowl7"};
    const std::vector<std::string> colors = {"#ff0000", "#0000ff"};
    const std::vector<std::string> phrases = {
        "are you there?",
        "yes",
        "brb, making tea",
        "did you see the game last night?",
        "lol no, I was at work until nine",
        "ok",
        "send me the <I>link</I> &amp; I'll look",
        "what time tomorrow?",
        "around 9:30 I think, maybe a bit later if the bus is late",
        ":-)"};
    std::mt19937 random(42);
    std::string body;
    int seconds = 9 * 3600 + 14 * 60;
    for (int i = 0; body.size() < size; ++i) {
        seconds += static_cast<int>(random() % 90);
        const int hour = seconds / 3600 % 12 == 0 ? 12 : seconds / 3600 % 12;
        const std::string time = std::to_string(hour) + ":" +
                                 std::to_string(seconds / 60 % 60 + 100).substr(1) + ":" +
                                 std::to_string(seconds % 60 + 100).substr(1) + " PM";
        const std::size_t who = static_cast<std::size_t>(i % 2);
        body += "<FONT COLOR=\"" + colors[who] + "\"><B>" + names[who] + "<!-- (" + time +
                ")--></B>:</FONT><FONT COLOR=\"#000000\"> " + phrases[random() % phrases.size()] +
                "</FONT><BR>";
    }
    return "<HTML><BODY BGCOLOR=\"#ffffff\">" + body + "</BODY></HTML>";
}

const std::string& Transcript(std::int64_t size) {
    static const std::string small = MakeTranscript(10 << 10);
    static const std::string medium = MakeTranscript(100 << 10);
    static const std::string large = MakeTranscript(1 << 20);
    return size <= (10 << 10) ? small : size <= (100 << 10) ? medium : large;
}

template <typename Routine>
void Run(benchmark::State& state, Routine routine) {
    const std::string& text = Transcript(state.range(0));
    for (auto _ : state) {
        std::string result = routine(text);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Step 1 of the conversion: many matches, each removed.
void BM_ReplaceText(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::modAIM::ReplaceText(t, "</FONT>", ""); });
}
void BM_ReplaceText_LiteralOracle(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::oracle::ReplaceText(t, "</FONT>", ""); });
}

// The only match sits at the very end, so the whole text is searched.
void BM_ReplaceFirst(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::modAIM::ReplaceFirst(t, "</html>", ""); });
}
void BM_ReplaceFirst_LiteralOracle(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::oracle::ReplaceFirst(t, "</html>", ""); });
}

// Step 11 of the conversion: two font tags per message.
void BM_RemoveTagRange(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::modAIM::RemoveTagRange(t, "<FONT", ">", 1); });
}
void BM_RemoveTagRange_LiteralOracle(benchmark::State& state) {
    Run(state,
        [](const std::string& t) { return brevanto::oracle::RemoveTagRange(t, "<FONT", ">", 1); });
}

void BM_HTMLToText(benchmark::State& state) {
    Run(state, [](const std::string& t) { return brevanto::modAIM::HTMLToText(t); });
}
void BM_HTMLToText_LiteralOracle(benchmark::State& state) {
    Run(state, [](const std::string& t) { return brevanto::oracle::HTMLToText(t); });
}

// 1 MB made of one piece repeated, the shapes that once ran slowest: every byte a "<";
// comment openers without a closer; near misses of "</FONT>" (without ">", with another
// letter, with a space).
const std::string& HostileShape(std::int64_t shape) {
    static const std::vector<std::string> pieces = {"<", "<!--", "</FONT</FONX></FONT >"};
    static std::vector<std::string> texts(pieces.size());
    std::string& text = texts[static_cast<std::size_t>(shape)];
    while (text.size() < (1 << 20)) {
        text += pieces[static_cast<std::size_t>(shape)];
    }
    return text;
}

template <typename Routine>
void RunShape(benchmark::State& state, Routine routine) {
    const std::string& text = HostileShape(state.range(0));
    for (auto _ : state) {
        std::string result = routine(text);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_HTMLToText_Hostile(benchmark::State& state) {
    RunShape(state, [](const std::string& t) { return brevanto::modAIM::HTMLToText(t); });
}
void BM_HTMLToText_Hostile_LiteralOracle(benchmark::State& state) {
    RunShape(state, [](const std::string& t) { return brevanto::oracle::HTMLToText(t); });
}

constexpr std::int64_t kSmall = 10 << 10;
constexpr std::int64_t kMedium = 100 << 10;
constexpr std::int64_t kLarge = 1 << 20;

void FastSizes(benchmark::internal::Benchmark* b) {
    b->Arg(kSmall)->Arg(kMedium)->Arg(kLarge)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_ReplaceText)->Apply(FastSizes);
BENCHMARK(BM_ReplaceText_LiteralOracle)->Arg(kSmall)->Arg(kMedium)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplaceText_LiteralOracle)->Arg(kLarge)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceFirst)->Apply(FastSizes);
BENCHMARK(BM_ReplaceFirst_LiteralOracle)->Apply(FastSizes);
BENCHMARK(BM_RemoveTagRange)->Apply(FastSizes);
BENCHMARK(BM_RemoveTagRange_LiteralOracle)
    ->Arg(kSmall)
    ->Arg(kMedium)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RemoveTagRange_LiteralOracle)
    ->Arg(kLarge)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HTMLToText)->Apply(FastSizes);
BENCHMARK(BM_HTMLToText_LiteralOracle)->Arg(kSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HTMLToText_LiteralOracle)->Arg(kMedium)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HTMLToText_LiteralOracle)->Arg(kLarge)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HTMLToText_Hostile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HTMLToText_Hostile_LiteralOracle)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

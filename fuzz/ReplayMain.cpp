// Replays a fuzz corpus without libFuzzer, so every compiler and sanitizer build of the
// project runs the target as an ordinary test: each file of the folder is fed once, in name
// order, then inputs made from the seeds by seeded random edits (pieces and bytes of the
// seeds themselves, so that markers, labels and line ends keep meeting). A folder without
// inputs is an error, since a corpus that went missing would turn the test into a no-op.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// A heap copy of exactly the input's size, so that a read past its end is caught by ASan
// as under libFuzzer; never a null pointer, not even for an empty input.
void Run(const std::string& bytes) {
    auto data = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
}

constexpr int kGeneratedInputs = 4000;

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    if (argc == 2 && std::filesystem::is_directory(argv[1])) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
            inputs.push_back(entry.path());
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s <corpus folder with inputs>\n", argv[0]);
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    std::vector<std::string> seeds;
    for (const auto& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), seeds.back().size());
        Run(seeds.back());
    }
    std::mt19937 random(1);
    auto below = [&](std::size_t n) { return n == 0 ? 0 : random() % n; };
    for (int round = 0; round < kGeneratedInputs; ++round) {
        std::string bytes = seeds[below(seeds.size())];
        for (std::size_t edits = below(8) + 1; edits > 0; --edits) {
            const std::string& from = seeds[below(seeds.size())];
            const std::size_t at = below(bytes.size() + 1), length = below(16) + 1;
            switch (below(4)) {
                case 0:  // a piece of a seed put in
                    bytes.insert(at, from.substr(below(from.size()), length));
                    break;
                case 1:  // a piece cut out
                    bytes.erase(at, length);
                    break;
                case 2:  // one byte changed to a byte of a seed
                    if (at < bytes.size() && !from.empty()) {
                        bytes[at] = from[below(from.size())];
                    }
                    break;
                default:  // the input cut short
                    bytes.resize(at);
            }
        }
        std::fprintf(stderr, "\rgenerated input %d", round);
        Run(bytes);
    }
    std::fprintf(stderr, "\n");
    return 0;
}

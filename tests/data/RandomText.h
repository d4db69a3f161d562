#pragma once

#include <random>
#include <string>
#include <string_view>

namespace brevanto::testing {

// Random text from a small alphabet that hits the file format's corners: "=", spaces,
// both cases, line endings of every kind, NUL and bytes above 0x7F (with their own case).
class RandomText {
  public:
    explicit RandomText(unsigned seed) : engine_(seed) {}

    std::string Text(std::size_t max_length, std::string_view alphabet = kFileAlphabet) {
        std::string text(Number(0, max_length), ' ');
        for (char& c : text) {
            c = alphabet[Number(0, alphabet.size() - 1)];
        }
        return text;
    }

    std::size_t Number(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(engine_);
    }

    bool Chance(int percent) { return Number(1, 100) <= static_cast<std::size_t>(percent); }

    // Every byte of the file alphabet, line endings included.
    static constexpr std::string_view kFileAlphabet{"aAbB= =\r\n\r\t\0\xC4\xE4\xFF", 15};
    // The same without line endings: text of one line, as a table cell holds it.
    static constexpr std::string_view kCellAlphabet{"aAbB= = \t\0\xC4\xE4\xFF", 13};

  private:
    std::mt19937 engine_;
};

}  // namespace brevanto::testing

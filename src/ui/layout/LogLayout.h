#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The layout of a log box that wraps and measures only the rows it shows. Measuring text is
// slow (under Wine about a microsecond a character), so a log of hundreds of kilobytes can
// never be measured whole. Set indexes where each line begins in one pass; a line longer
// than kPiece bytes is indexed as several pieces, broken after a space where one is near,
// so that wrapping the piece a row is in measures at most kPiece bytes. A piece ends its
// row: no break is added to the text, which stays the log's own bytes.
namespace brevanto::ui {

// Bytes [begin, end) of the text shown in one row; a line end is never in a row.
struct LogRow {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A row of the log: the piece and the row within it once the piece is wrapped.
struct LogPlace {
    std::size_t piece = 0;
    std::size_t row = 0;
    auto operator<=>(const LogPlace&) const = default;
};

class LogLayout {
  public:
    static constexpr std::size_t kPiece = 1000;
    // How far back from a piece's end a space is looked for to break after.
    static constexpr std::size_t kSpaceSearch = 200;

    // fit(text, width): how many bytes of text, from its start, fit in width.
    using Fit = std::function<std::size_t(std::string_view, int)>;

    // isLead tells a byte that begins a double-byte character, which is never split.
    template <class IsLead>
    LogLayout(Fit fit, IsLead isLead) : fit_(std::move(fit)) {
        for (std::size_t byte = 0; byte < lead_.size(); ++byte) {
            lead_[byte] = isLead(static_cast<unsigned char>(byte));
        }
        starts_.push_back(0);
    }

    // Takes the whole log and indexes its pieces.
    void SetText(std::string text);
    void SetWidth(int width) { width_ = width; }

    const std::string& Text() const { return text_; }
    std::size_t Pieces() const { return starts_.size(); }
    // The piece's bytes, its line end left out.
    LogRow Piece(std::size_t piece) const;
    // Where each row of the piece begins: wrapped after the last space that fits, else
    // after the last whole character that fits, at least one character a row.
    std::vector<std::size_t> Rows(std::size_t piece) const;
    // The place `count` rows below (above, when negative) `place`, kept within the log.
    LogPlace Moved(LogPlace place, long count) const;
    // The top place from which `count` rows show the log's last row at the bottom.
    LogPlace LastPage(int count) const;
    // The rows shown from `top` down, at most `count`.
    std::vector<LogRow> View(LogPlace top, int count) const;
    // The character boundary in `row` nearest before `x`.
    std::size_t OffsetAt(const LogRow& row, int x) const;
    // The log's own bytes between two offsets, in either order, as copying gives them.
    std::string_view Between(std::size_t a, std::size_t b) const;

  private:
    // The length of the character at `i`: a lead byte and its trail stay together. A lead
    // byte before a line end, which no trail byte is, stands alone.
    std::size_t CharAt(std::size_t i) const;
    // How many bytes from `begin`, at most `bytes`, hold whole characters.
    std::size_t WholeCharacters(std::size_t begin, std::size_t bytes) const;

    Fit fit_;
    std::array<bool, 256> lead_{};
    int width_ = 0;
    std::string text_;
    std::vector<std::size_t> starts_;  // where each piece begins
};

}  // namespace brevanto::ui

#pragma once

#include <algorithm>
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
    void SetText(std::string text) {
        text_ = std::move(text);
        starts_.assign(1, 0);
        std::size_t pieceStart = 0;
        for (std::size_t i = 0; i < text_.size(); i += CharAt(i)) {
            const char byte = text_[i];
            if (byte == '\n' || (byte == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n'))) {
                pieceStart = i + 1;
                starts_.push_back(pieceStart);
            } else if (byte != '\r' && i - pieceStart >= kPiece) {
                std::size_t end = i;
                for (std::size_t j = i; j > pieceStart && i - j < kSpaceSearch; --j) {
                    if (text_[j - 1] == ' ') {
                        end = j;
                        break;
                    }
                }
                pieceStart = end;
                starts_.push_back(pieceStart);
            }
        }
    }
    void SetWidth(int width) { width_ = width; }

    const std::string& Text() const { return text_; }
    std::size_t Pieces() const { return starts_.size(); }

    // The piece's bytes, its line end left out.
    LogRow Piece(std::size_t piece) const {
        const std::size_t begin = starts_[piece];
        std::size_t end = piece + 1 < starts_.size() ? starts_[piece + 1] : text_.size();
        if (end > begin && text_[end - 1] == '\n') {
            --end;
        }
        if (end > begin && text_[end - 1] == '\r') {
            --end;
        }
        return {begin, end};
    }

    // Where each row of the piece begins: wrapped after the last space that fits, else
    // after the last whole character that fits, at least one character a row.
    std::vector<std::size_t> Rows(std::size_t piece) const {
        const LogRow whole = Piece(piece);
        std::vector<std::size_t> rows{whole.begin};
        std::size_t at = whole.begin;
        while (at < whole.end) {
            const std::string_view rest(text_.data() + at, whole.end - at);
            const std::size_t fits = std::min(fit_(rest, width_), rest.size());
            if (fits == rest.size()) {
                break;
            }
            std::size_t cut = 0;  // the whole characters within fits
            while (cut + CharAt(at + cut) <= fits) {
                cut += CharAt(at + cut);
            }
            std::size_t wrap = 0;
            for (std::size_t j = cut + 1; j > 0; --j) {
                if (rest[j - 1] == ' ') {
                    wrap = j;
                    break;
                }
            }
            if (wrap == 0) {
                wrap = cut > 0 ? cut : CharAt(at);
            }
            at += wrap;
            rows.push_back(at);
        }
        return rows;
    }

    // The place `count` rows below (above, when negative) `place`, kept within the log.
    LogPlace Moved(LogPlace place, long count) const {
        place.piece = std::min(place.piece, starts_.size() - 1);
        std::size_t rows = Rows(place.piece).size();
        place.row = std::min(place.row, rows - 1);
        for (; count > 0; --count) {
            if (place.row + 1 < rows) {
                ++place.row;
            } else if (place.piece + 1 < starts_.size()) {
                rows = Rows(++place.piece).size();
                place.row = 0;
            } else {
                break;
            }
        }
        for (; count < 0; ++count) {
            if (place.row > 0) {
                --place.row;
            } else if (place.piece > 0) {
                place.row = Rows(--place.piece).size() - 1;
            } else {
                break;
            }
        }
        return place;
    }

    // The top place from which `count` rows show the log's last row at the bottom.
    LogPlace LastPage(int count) const {
        const LogPlace last{starts_.size() - 1, Rows(starts_.size() - 1).size() - 1};
        return Moved(last, 1 - std::max(count, 1));
    }

    // The rows shown from `top` down, at most `count`.
    std::vector<LogRow> View(LogPlace top, int count) const {
        std::vector<LogRow> view;
        for (std::size_t piece = top.piece; piece < starts_.size(); ++piece) {
            const std::vector<std::size_t> rows = Rows(piece);
            const std::size_t end = Piece(piece).end;
            for (std::size_t row = piece == top.piece ? top.row : 0; row < rows.size(); ++row) {
                if (view.size() >= static_cast<std::size_t>(std::max(count, 0))) {
                    return view;
                }
                view.push_back({rows[row], row + 1 < rows.size() ? rows[row + 1] : end});
            }
        }
        return view;
    }

    // The character boundary in `row` nearest before `x`.
    std::size_t OffsetAt(const LogRow& row, int x) const {
        const std::string_view text(text_.data() + row.begin, row.end - row.begin);
        const std::size_t fits = x <= 0 ? 0 : std::min(fit_(text, x), text.size());
        std::size_t at = 0;
        while (at < text.size() && at + CharAt(row.begin + at) <= fits) {
            at += CharAt(row.begin + at);
        }
        return row.begin + at;
    }

    // The log's own bytes between two offsets, in either order, as copying gives them.
    std::string_view Between(std::size_t a, std::size_t b) const {
        const auto [from, to] = std::minmax(std::min(a, text_.size()), std::min(b, text_.size()));
        return std::string_view(text_).substr(from, to - from);
    }

  private:
    // The length of the character at `i`: a lead byte and its trail stay together. A lead
    // byte before a line end, which no trail byte is, stands alone.
    std::size_t CharAt(std::size_t i) const {
        const bool pair = i + 1 < text_.size() && lead_[static_cast<unsigned char>(text_[i])] &&
                          text_[i + 1] != '\r' && text_[i + 1] != '\n';
        return pair ? 2 : 1;
    }

    Fit fit_;
    std::array<bool, 256> lead_{};
    int width_ = 0;
    std::string text_;
    std::vector<std::size_t> starts_;  // where each piece begins
};

}  // namespace brevanto::ui

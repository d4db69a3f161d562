#include "ui/layout/LogLayout.h"

#include <algorithm>
#include <limits>

namespace brevanto::ui {

void LogLayout::SetText(std::string text) {
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

LogRow LogLayout::Piece(std::size_t piece) const {
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

std::vector<std::size_t> LogLayout::Rows(std::size_t piece) const {
    const LogRow whole = Piece(piece);
    std::vector<std::size_t> rows{whole.begin};
    std::size_t at = whole.begin;
    while (at < whole.end) {
        const std::string_view rest(text_.data() + at, whole.end - at);
        const std::size_t fits = std::min(fit_(rest, width_), rest.size());
        if (fits == rest.size()) {
            break;
        }
        const std::size_t cut = WholeCharacters(at, fits);
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

LogPlace LogLayout::Moved(LogPlace place, long count) const {
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

LogPlace LogLayout::LastPage(int count) const {
    // Moved keeps the row within its piece: this is the last piece's last row.
    const LogPlace last{starts_.size() - 1, std::numeric_limits<std::size_t>::max()};
    return Moved(last, 1 - std::max(count, 1));
}

std::vector<LogRow> LogLayout::View(LogPlace top, int count) const {
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

std::size_t LogLayout::OffsetAt(const LogRow& row, int x) const {
    const std::string_view text(text_.data() + row.begin, row.end - row.begin);
    const std::size_t fits = x <= 0 ? 0 : std::min(fit_(text, x), text.size());
    return row.begin + WholeCharacters(row.begin, fits);
}

std::string_view LogLayout::Between(std::size_t a, std::size_t b) const {
    // By value: std::minmax of temporaries would hand back references to them.
    const std::size_t from = std::min({a, b, text_.size()});
    const std::size_t to = std::min(std::max(a, b), text_.size());
    return std::string_view(text_).substr(from, to - from);
}

std::size_t LogLayout::WholeCharacters(std::size_t begin, std::size_t bytes) const {
    std::size_t whole = 0;
    while (whole < bytes) {
        const std::size_t next = whole + CharAt(begin + whole);
        if (next > bytes) {
            break;
        }
        whole = next;
    }
    return whole;
}

std::size_t LogLayout::CharAt(std::size_t i) const {
    const bool pair = i + 1 < text_.size() && lead_[static_cast<unsigned char>(text_[i])] &&
                      text_[i + 1] != '\r' && text_[i + 1] != '\n';
    return pair ? 2 : 1;
}

}  // namespace brevanto::ui

#include "data/MessageTable.h"

#include <algorithm>
#include <utility>

namespace brevanto::data {

namespace {
const std::string kNoText;
}  // namespace

void MessageTable::SetRows(int count) {
    count = std::max(count, 0);
    const int old_count = Rows();
    rows_.resize(static_cast<std::size_t>(count));
    if (count < old_count) {
        // The grid moves its current row onto the last row that remains; with no rows left
        // there is no current cell, and row 0 becomes current once rows come back.
        row_ = std::max(count - 1, 0);
    }
}

void MessageTable::RemoveRows(std::vector<int> rows) {
    std::erase_if(rows, [this](int row) { return row < 0 || row >= Rows(); });
    if (rows.empty()) {
        return;
    }
    std::sort(rows.begin(), rows.end());
    std::size_t next = 0;  // the next row to remove, in rows
    std::size_t kept = 0;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (next < rows.size() && static_cast<std::size_t>(rows[next]) == row) {
            while (next < rows.size() && static_cast<std::size_t>(rows[next]) == row) {
                ++next;
            }
            continue;
        }
        if (kept != row) {
            rows_[kept] = std::move(rows_[row]);
        }
        ++kept;
    }
    rows_.resize(kept);
    SetRow(rows.front());
}

void MessageTable::SetRow(int row) {
    row_ = std::clamp(row, 0, std::max(Rows() - 1, 0));
}

void MessageTable::SetCol(int col) {
    col_ = std::clamp(col, 0, kColumns - 1);
}

const std::string& MessageTable::Text() const {
    return Cell(row_, col_);
}

void MessageTable::SetText(std::string text) {
    SetCell(row_, col_, std::move(text));
}

const std::string& MessageTable::Cell(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= kColumns) {
        return kNoText;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void MessageTable::SetCell(int row, int col, std::string text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kColumns) {
        return;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

}  // namespace brevanto::data

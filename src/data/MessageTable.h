#pragma once

#include <array>
#include <string>
#include <vector>

// The message table as the grid shows it: two columns (message, response), no header row,
// a current cell. It offers exactly the grid operations the program's routines use, so the
// routines run without a widget and the window shows this model as it is.
namespace brevanto::data {

class MessageTable {
  public:
    static constexpr int kColumns = 2;

    int Rows() const { return static_cast<int>(rows_.size()); }
    // Growing adds empty rows at the end. Shrinking drops rows at the end and moves the
    // current row onto the last remaining row (row 0 when none remains). A negative count
    // means no rows.
    void SetRows(int count);

    int Row() const { return row_; }
    void SetRow(int row);  // clamped to the existing rows
    int Col() const { return col_; }
    void SetCol(int col);  // clamped to 0..1

    // The current cell's text; "" and ignored while the table has no rows.
    const std::string& Text() const;
    void SetText(std::string text);

    // Removes the given rows (positions before the removal; duplicates and positions
    // outside the table are ignored). The current row moves to the row that took the first
    // removed one's place, or onto the last row.
    void RemoveRows(std::vector<int> rows);

    // Any cell by position; outside the table the text is "" and setting it is ignored.
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, std::string text);

    // Whether both tables hold the same rows and texts (the current cell aside).
    bool SameCells(const MessageTable& other) const { return rows_ == other.rows_; }

  private:
    std::vector<std::array<std::string, kColumns>> rows_;
    int row_ = 0;
    int col_ = 0;
};

}  // namespace brevanto::data

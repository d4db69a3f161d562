#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <vector>

#include "data/MessageTable.h"

// The message table in a list view: report view, two columns, grid lines, no heading row.
// The list is virtual: the view asks for the text of the cells it shows, so a table of any
// size and cells of any length appear at once (a long cell is shown shortened; the table
// keeps it whole). The table's current cell is drawn in the highlight colours.
namespace brevanto::win32ui {

struct GridCell {
    int row = 0;
    int col = 0;
};

class GridView {
  public:
    GridView(HWND listView, data::MessageTable& table);

    void SetColumnWidths(int pixels);
    // The table changed (rows, cells or current cell): the view follows it.
    void Refresh();
    // The cell under a point given in screen coordinates, if there is one.
    std::optional<GridCell> CellAt(POINT screenPoint) const;
    // The rows the user selected, in order; the current row when none is.
    std::vector<int> SelectedRows() const;
    // Moves the current cell one column left (-1) or right (+1).
    void MoveColumn(int step);
    // Answers the list view's notifications that are the view's own business: cell texts,
    // drawing and the keyboard moving the current row.
    std::optional<LRESULT> Notify(const NMHDR& header);

  private:
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

    HWND list_;
    data::MessageTable& table_;
    bool refreshing_ = false;
};

}  // namespace brevanto::win32ui

#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QTableView;

// The grid's keyboard commands: Enter or F2 edits the current cell, Delete removes the
// selected rows. The arrow keys are the view's own.
namespace brevanto::ui {

class GridKeys : public QObject {
  public:
    GridKeys(QTableView* grid, std::function<void()> edit, std::function<void()> remove);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> edit_;
    std::function<void()> remove_;
};

// The rows with a selected cell, or the current row when nothing is selected.
std::vector<int> SelectedRows(const QTableView* grid);

}  // namespace brevanto::ui

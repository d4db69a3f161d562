#include "ui/grid/GridKeys.h"

#include <QKeyEvent>
#include <QTableView>
#include <set>
#include <utility>

namespace brevanto::ui {

GridKeys::GridKeys(QTableView* grid, std::function<void()> edit, std::function<void()> remove)
    : QObject(grid), edit_(std::move(edit)), remove_(std::move(remove)) {
    grid->installEventFilter(this);
}

bool GridKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            edit_();
            return true;
        case Qt::Key_Delete:
            remove_();
            return true;
        default:
            return false;
    }
}

std::vector<int> SelectedRows(const QTableView* grid) {
    std::set<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    if (rows.empty() && grid->currentIndex().isValid()) {
        rows.insert(grid->currentIndex().row());
    }
    return {rows.begin(), rows.end()};
}

}  // namespace brevanto::ui

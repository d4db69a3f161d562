#include "ui/grid/MessageTableModel.h"

#include "ui/AnsiText.h"

namespace brevanto::ui {

int MessageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.Rows();
}

int MessageTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data::MessageTable::kColumns;
}

QVariant MessageTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= table_.Rows()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return Shown(table_.Cell(index.row(), index.column()));
    }
    return {};
}

QString MessageTableModel::Shown(const std::string& cell) {
    if (cell.size() <= kShownBytes) {
        return FromAnsi(cell);
    }
    // The cut may split a character of a double-byte code page: its remains go too.
    QString shown = FromAnsi(cell.substr(0, kShownBytes));
    shown.chop(1);
    return shown + QChar(0x2026);
}

Qt::ItemFlags MessageTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void MessageTableModel::Reset() {
    beginResetModel();
    endResetModel();
}

}  // namespace brevanto::ui

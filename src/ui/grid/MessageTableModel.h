#pragma once

#include <QAbstractTableModel>

#include "data/MessageTable.h"

// Shows the message table to a view as it is: two columns, no headers, read-only (cells are
// edited through the input box). A cell longer than any column can show is shown shortened,
// ending in an ellipsis: laying out megabytes for a few dozen visible characters would
// stall the window. The table and the input box keep the whole text. The table is changed by the
// core, which tells the window; the window then calls Reset.
namespace brevanto::ui {

class MessageTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit MessageTableModel(const data::MessageTable& table, QObject* parent = nullptr)
        : QAbstractTableModel(parent), table_(table) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Drops every cached row and cell after the table changed underneath.
    void Reset();

    static constexpr std::size_t kShownBytes = 1000;
    // A cell as the grid shows it.
    static QString Shown(const std::string& cell);

  private:
    const data::MessageTable& table_;
};

}  // namespace brevanto::ui

// The rows of a name list sorted for the eye, each carrying its entry number; filled in one reset.
#pragma once

#include "editing/sorted_names.h"

#include <QAbstractListModel>

#include <span>
#include <vector>

namespace tavrin {

class NameListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;
    void SetRows(std::vector<SortedEntry> rows);
    std::span<const SortedEntry> Rows() const { return rows_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    std::vector<SortedEntry> rows_;
};

} // namespace tavrin

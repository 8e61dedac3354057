#include "editing/name_list_model.h"

#include "platform/text.h"

namespace tavrin {

void NameListModel::SetRows(std::vector<SortedEntry> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    if (role == Qt::DisplayRole) return QStringFromCp1252(rows_[static_cast<std::size_t>(index.row())].text);
    return {};
}

} // namespace tavrin

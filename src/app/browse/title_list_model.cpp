#include "app/browse/title_list_model.h"

#include "platform/text.h"

namespace tavrin {

TitleListModel::TitleListModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                               QObject* parent)
    : QAbstractListModel(parent), collection_(collection), browse_(browse) {}

int TitleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(browse_.size());
}

QModelIndex TitleListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 || static_cast<std::size_t>(row) >= browse_.size())
        return {};
    return createIndex(row, column);
}

QVariant TitleListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const std::size_t record = browse_[static_cast<std::size_t>(index.row())];
    if (record >= collection_.Count()) return {};
    return QStringFromCp1252(collection_.RecordAt(record).TitleView());
}

} // namespace tavrin

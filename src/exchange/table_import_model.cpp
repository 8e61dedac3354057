#include "exchange/table_import_model.h"

#include "platform/text.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace tavrin {

QString ColumnHeaderText(const Table& table, std::size_t column) {
    const QString text = QStringFromCp1252(table.Cell(0, column)).trimmed();
    return text.isEmpty() ? QStringLiteral("#") + QString::number(column + 1) : text;
}

TablePreviewModel::TablePreviewModel(const MessageCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

void TablePreviewModel::Show(const Table* table, const ColumnMapping* mapping) {
    beginResetModel();
    table_ = table;
    mapping_ = mapping;
    endResetModel();
}

void TablePreviewModel::MappingChanged() {
    const int columns = columnCount();
    if (columns == 0) return;
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columns - 1), {Qt::ForegroundRole});
}

int TablePreviewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_ || table_->RowCount() < 2) return 0;
    return static_cast<int>(std::min<std::size_t>(PreviewRows, table_->RowCount() - 1));
}

int TablePreviewModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_ || table_->RowCount() == 0) return 0;
    return static_cast<int>(table_->ColumnCount(0));
}

QVariant TablePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table_) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole)
        return QStringFromCp1252(table_->Cell(static_cast<std::size_t>(index.row()) + 1, column));
    if (role == Qt::ForegroundRole && !Field(column))
        return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    return {};
}

QVariant TablePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !table_ || section < 0) return {};
    if (orientation == Qt::Vertical) return QString::number(section + 2); // the header is row 1
    const auto column = static_cast<std::size_t>(section);
    if (section >= columnCount()) return {};
    const auto field = Field(column);
    return ColumnHeaderText(*table_, column) + QLatin1Char('\n') +
           (field ? QStringFromUtf8(TableFieldLabel(*field, catalogue_.Language()))
                  : QText(catalogue_, Msg::MsgTableIgnored));
}

std::optional<TableField> TablePreviewModel::Field(std::size_t column) const {
    return mapping_ && column < mapping_->size() ? (*mapping_)[column] : std::nullopt;
}

RefusedCellsModel::RefusedCellsModel(const MessageCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

void RefusedCellsModel::Show(const Table* table, std::vector<RefusedCell> cells, ColumnMapping mapping) {
    beginResetModel();
    table_ = table;
    cells_ = std::move(cells);
    mapping_ = std::move(mapping);
    endResetModel();
}

void RefusedCellsModel::ApplyTexts() {
    emit headerDataChanged(Qt::Horizontal, 0, 2);
    if (!cells_.empty()) emit dataChanged(index(0, 2), index(rowCount() - 1, 2), {Qt::DisplayRole});
}

int RefusedCellsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int RefusedCellsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant RefusedCellsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole || !table_) return {};
    const RefusedCell& cell = cells_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return QString::number(cell.row);
    case 1:
        return ColumnHeaderText(*table_, cell.column);
    default:
        return QStringFromUtf8(RefusedCellReason(
            cell, ColumnHeaderText(*table_, cell.column).toStdString(), catalogue_.Language(),
            cell.column < mapping_.size() ? mapping_[cell.column] : std::nullopt));
    }
}

QVariant RefusedCellsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    constexpr Msg heads[] = {Msg::MsgTableRow, Msg::MsgTableColumn, Msg::MsgTableReason};
    return section >= 0 && section < 3 ? QText(catalogue_, heads[section]) : QVariant();
}

} // namespace tavrin

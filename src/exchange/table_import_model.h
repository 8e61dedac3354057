// The two tables of "Import A Spreadsheet": the first rows of the file under the fields their
// columns fill, and the cells an Import refused.
#pragma once

#include "exchange/table_import.h"
#include "lang/catalogue.h"
#include "reports/table_columns.h"
#include "store/files/table_reader.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <optional>
#include <vector>

namespace tavrin {

// A column's header text as the file has it; an empty one numbered as a spreadsheet numbers it.
QString ColumnHeaderText(const Table& table, std::size_t column);

// The first rows after the header; each column headed by its header text over the field it fills.
class TablePreviewModel final : public QAbstractTableModel {
  public:
    // Enough rows to recognise the columns by; the rest are only read on Import.
    static constexpr int PreviewRows = 12;

    // The catalogue outlives the model.
    TablePreviewModel(const MessageCatalogue& catalogue, QObject* parent);

    // Both are owned by the dialog and outlive what the model shows; nothing shows no table.
    void Show(const Table* table, const ColumnMapping* mapping);
    // The fields changed, not the cells: the headers and the greying of left-out columns.
    void MappingChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::optional<TableField> Field(std::size_t column) const;

    const MessageCatalogue& catalogue_;
    const Table* table_ = nullptr;
    const ColumnMapping* mapping_ = nullptr;
};

// Every refused cell: its row as the spreadsheet numbers it, its column's header, the reason.
class RefusedCellsModel final : public QAbstractTableModel {
  public:
    // The catalogue outlives the model.
    RefusedCellsModel(const MessageCatalogue& catalogue, QObject* parent);

    // The table is owned by the dialog and outlives what the model shows; mapping: the fields the
    // columns filled, for the values a field takes.
    void Show(const Table* table, std::vector<RefusedCell> cells, ColumnMapping mapping = {});
    // After a language switch: the headers and the reasons.
    void ApplyTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const MessageCatalogue& catalogue_;
    const Table* table_ = nullptr;
    std::vector<RefusedCell> cells_;
    ColumnMapping mapping_;
};

} // namespace tavrin

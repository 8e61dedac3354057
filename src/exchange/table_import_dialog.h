// "Import A Spreadsheet": the dialog TableImport over a table read from a file. It previews the
// first rows, lets each column's field be chosen by hand (pre-filled with the automatic mapping),
// and on Import appends the titles as one step of the history, or lists every refused cell in
// itself and imports nothing.
#pragma once

#include "editing/collection_changes.h"
#include "exchange/table_import.h"
#include "lang/catalogue.h"
#include "reports/table_columns.h"
#include "store/day_number.h"
#include "store/files/table_reader.h"

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableView;

namespace tavrin {

class TablePreviewModel;
class RefusedCellsModel;

class TTableImport : public QDialog {
    Q_OBJECT

  public:
    TTableImport(Changes changes, const MessageCatalogue& catalogue, QWidget* parent);
    ~TTableImport() override;
    void ApplyTexts();

    // Shows the table read from fileName with its automatic mapping, window-modal; today is the
    // day new titles are bought and watched, current the title shown before the step.
    void Open(Table table, const QString& fileName, DayNumber today, std::optional<std::size_t> current);
    // What the last Import appended; nothing before one succeeded.
    std::optional<TableImported> Imported() const { return imported_; }
    // The cells the last Import could not take whole, a line each after a heading (the first
    // rows only); empty when there were none.
    QString RemarksText() const;

    // A column's field chosen by hand; nothing leaves the column out.
    void ChooseField(std::size_t column, std::optional<TableField> field);
    const ColumnMapping& Mapping() const { return mapping_; }

    void ImportBtnClick();

  private:
    // Fills a combo a column of the header, each showing the mapping.
    void BuildFieldChoices();
    void ShowMapping();
    void ShowRefusal(const TableImportRefusal& refusal);
    void HideRefusal();

    Changes changes_;
    const MessageCatalogue& catalogue_;
    Table table_;
    QString fileName_;
    DayNumber today_ = 0;
    std::optional<std::size_t> current_;
    std::vector<ColumnChoice> choices_; // in the order made: a later choice of a field wins
    ColumnMapping mapping_;
    std::optional<TableImported> imported_;

    TablePreviewModel* previewModel_ = nullptr;
    RefusedCellsModel* refusedModel_ = nullptr;
    QLabel* PreviewCaption = nullptr;
    QTableView* Preview = nullptr;
    QLabel* FieldsCaption = nullptr;
    QScrollArea* Fields = nullptr;
    std::vector<QComboBox*> fieldCombos_;
    QLabel* RefusalText = nullptr;
    QTableView* Refused = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace tavrin

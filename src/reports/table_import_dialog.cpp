#include "reports/table_import_dialog.h"

#include "platform/accessible_names.h"
#include "platform/text.h"
#include "platform/window_placement.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin {
namespace {

// Enough rows to recognise the columns by; the rest are only read on Import.
constexpr int PreviewRows = 12;
// Header and field pairs on a line of the field choices, each header cut to a width.
constexpr int ChoicesPerLine = 3;
constexpr int HeaderWidth = 110;

QString HeaderText(const Table& table, std::size_t column) {
    const QString text = QStringFromCp1252(table.Cell(0, column)).trimmed();
    // An empty header still names its column, as a spreadsheet numbers it.
    return text.isEmpty() ? QStringLiteral("#") + QString::number(column + 1) : text;
}

QTableView* TableView(const char* name, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setWordWrap(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    return view;
}

} // namespace

// The first rows after the header; each column headed by its header text over the field it fills.
class TablePreviewModel final : public QAbstractTableModel {
  public:
    TablePreviewModel(const MessageCatalogue& catalogue, QObject* parent)
        : QAbstractTableModel(parent), catalogue_(catalogue) {}

    void Show(const Table* table, const ColumnMapping* mapping) {
        beginResetModel();
        table_ = table;
        mapping_ = mapping;
        endResetModel();
    }

    // The fields changed, not the cells: the headers and the greying of left-out columns.
    void MappingChanged() {
        const int columns = columnCount();
        if (columns == 0) return;
        emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columns - 1), {Qt::ForegroundRole});
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || !table_ || table_->RowCount() < 2) return 0;
        return static_cast<int>(std::min<std::size_t>(PreviewRows, table_->RowCount() - 1));
    }

    int columnCount(const QModelIndex& parent = {}) const override {
        if (parent.isValid() || !table_ || table_->RowCount() == 0) return 0;
        return static_cast<int>(table_->ColumnCount(0));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || !table_) return {};
        const auto column = static_cast<std::size_t>(index.column());
        if (role == Qt::DisplayRole)
            return QStringFromCp1252(table_->Cell(static_cast<std::size_t>(index.row()) + 1, column));
        if (role == Qt::ForegroundRole && !Field(column))
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || !table_ || section < 0) return {};
        if (orientation == Qt::Vertical) return QString::number(section + 2); // the header is row 1
        const auto column = static_cast<std::size_t>(section);
        if (section >= columnCount()) return {};
        const auto field = Field(column);
        return HeaderText(*table_, column) + QLatin1Char('\n') +
               (field ? QString::fromUtf8(TableFieldName(*field).data(),
                                          static_cast<qsizetype>(TableFieldName(*field).size()))
                      : QText(catalogue_, Msg::MsgTableIgnored));
    }

  private:
    std::optional<TableField> Field(std::size_t column) const {
        return mapping_ && column < mapping_->size() ? (*mapping_)[column] : std::nullopt;
    }

    const MessageCatalogue& catalogue_;
    const Table* table_ = nullptr;
    const ColumnMapping* mapping_ = nullptr;
};

// Every refused cell: its row as the spreadsheet numbers it, its column's header, the reason.
class RefusedCellsModel final : public QAbstractTableModel {
  public:
    RefusedCellsModel(const MessageCatalogue& catalogue, QObject* parent)
        : QAbstractTableModel(parent), catalogue_(catalogue) {}

    void Show(const Table* table, std::vector<RefusedCell> cells) {
        beginResetModel();
        table_ = table;
        cells_ = std::move(cells);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(cells_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole || !table_) return {};
        const RefusedCell& cell = cells_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case 0:
            return QString::number(cell.row);
        case 1:
            return HeaderText(*table_, cell.column);
        default:
            return QStringFromUtf8(RefusedCellReason(cell, HeaderText(*table_, cell.column).toStdString(),
                                                     catalogue_.Language()));
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        constexpr Msg heads[] = {Msg::MsgTableRow, Msg::MsgTableColumn, Msg::MsgTableReason};
        return section >= 0 && section < 3 ? QText(catalogue_, heads[section]) : QVariant();
    }

    void ApplyTexts() {
        emit headerDataChanged(Qt::Horizontal, 0, 2);
        if (!cells_.empty()) emit dataChanged(index(0, 2), index(rowCount() - 1, 2), {Qt::DisplayRole});
    }

  private:
    const MessageCatalogue& catalogue_;
    const Table* table_ = nullptr;
    std::vector<RefusedCell> cells_;
};

TTableImport::TTableImport(Changes changes, const MessageCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), changes_(changes), catalogue_(catalogue) {
    setObjectName(QStringLiteral("TableImport"));

    PreviewCaption = new QLabel(this);
    PreviewCaption->setObjectName(QStringLiteral("PreviewCaption"));
    Preview = TableView("Preview", this);
    previewModel_ = new TablePreviewModel(catalogue_, this);
    Preview->setModel(previewModel_);

    FieldsCaption = new QLabel(this);
    FieldsCaption->setObjectName(QStringLiteral("FieldsCaption"));
    Fields = new QScrollArea(this);
    Fields->setObjectName(QStringLiteral("Fields"));
    Fields->setWidgetResizable(true);
    Fields->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fields->setMinimumHeight(4 * (fontMetrics().height() + 14));

    RefusalText = new QLabel(this);
    RefusalText->setObjectName(QStringLiteral("RefusalText"));
    RefusalText->setWordWrap(true);
    QPalette warning = RefusalText->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    RefusalText->setPalette(warning);
    Refused = TableView("Refused", this);
    refusedModel_ = new RefusedCellsModel(catalogue_, this);
    Refused->setModel(refusedModel_);
    Refused->horizontalHeader()->setStretchLastSection(true);

    ImportBtn = new QPushButton(this);
    ImportBtn->setObjectName(QStringLiteral("ImportBtn"));
    ImportBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(ImportBtn, &QPushButton::clicked, this, &TTableImport::ImportBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ImportBtn);
    closing->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PreviewCaption);
    layout->addWidget(Preview, 3);
    layout->addWidget(FieldsCaption);
    layout->addWidget(Fields, 2);
    layout->addWidget(RefusalText);
    layout->addWidget(Refused, 2);
    layout->addLayout(closing);
    HideRefusal();
    resize(800, 580);
    ApplyTexts();
}

TTableImport::~TTableImport() {
    // The models read members that die before the views do.
    Preview->setModel(nullptr);
    Refused->setModel(nullptr);
}

void TTableImport::ApplyTexts() {
    const QString caption = QText(catalogue_, Msg::MsgImportASpreadsheet);
    setWindowTitle(fileName_.isEmpty() ? caption
                                       : caption + QStringLiteral(" - ") + QFileInfo(fileName_).fileName());
    PreviewCaption->setText(QText(catalogue_, Msg::MsgTableFirstRows));
    FieldsCaption->setText(QText(catalogue_, Msg::MsgTableColumnFields));
    ImportBtn->setText(QText(catalogue_, Msg::MsgTableImport));
    for (QComboBox* combo : fieldCombos_)
        combo->setItemText(0, QText(catalogue_, Msg::MsgTableIgnored));
    previewModel_->MappingChanged();
    refusedModel_->ApplyTexts();
    Refused->setAccessibleName(QText(catalogue_, Msg::MsgTableCellsRefused));
    NameControls(this);
}

void TTableImport::Open(Table table, const QString& fileName, DayNumber today,
                        std::optional<std::size_t> current) {
    previewModel_->Show(nullptr, nullptr);
    refusedModel_->Show(nullptr, {});
    table_ = std::move(table);
    fileName_ = fileName;
    today_ = today;
    current_ = current;
    choices_.clear();
    mapping_ = MapColumns(table_);
    imported_.reset();
    previewModel_->Show(&table_, &mapping_);
    Preview->resizeColumnsToContents();
    for (int k = 0; k < previewModel_->columnCount(); ++k)
        Preview->setColumnWidth(k, std::min(Preview->columnWidth(k), 220));
    BuildFieldChoices();
    HideRefusal();
    ApplyTexts();
    CentreOnScreen(this);
    open();
    // The choices first: the preview is only looked at.
    if (!fieldCombos_.empty()) fieldCombos_.front()->setFocus();
}

void TTableImport::BuildFieldChoices() {
    // A new grid each time (the scroll area deletes the last one), with the lines this table needs.
    auto* grid = new QWidget;
    auto* pairs = new QGridLayout(grid);
    pairs->setContentsMargins(4, 4, 4, 4);
    fieldCombos_.clear();
    for (std::size_t k = 0; k < mapping_.size(); ++k) {
        // A long header is cut, whole in its hint; an '&' in it is shown, not taken as a keyboard letter.
        const QString header = HeaderText(table_, k);
        auto* label = new QLabel(grid);
        label->setText(label->fontMetrics()
                           .elidedText(header, Qt::ElideRight, HeaderWidth)
                           .replace(QLatin1Char('&'), QStringLiteral("&&")));
        label->setToolTip(header);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* combo = new QComboBox(grid);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setObjectName(QStringLiteral("Field") + QString::number(k));
        combo->addItem(QText(catalogue_, Msg::MsgTableIgnored));
        for (const TableField field : AllTableFields()) {
            const std::string_view name = TableFieldName(field);
            combo->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
        label->setBuddy(combo);
        const int line = static_cast<int>(k) / ChoicesPerLine;
        const int pair = static_cast<int>(k) % ChoicesPerLine;
        pairs->addWidget(label, line, 2 * pair);
        pairs->addWidget(combo, line, 2 * pair + 1);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, k](int index) {
            ChooseField(k, index <= 0 ? std::nullopt : std::optional(AllTableFields()[index - 1]));
        });
        fieldCombos_.push_back(combo);
    }
    // The pairs keep their size at the top left; what is left over stays empty.
    pairs->setRowStretch(pairs->rowCount(), 1);
    pairs->setColumnStretch(2 * ChoicesPerLine, 1);
    Fields->setWidget(grid);
    ShowMapping();
}

void TTableImport::ChooseField(std::size_t column, std::optional<TableField> field) {
    std::erase_if(choices_, [column](const ColumnChoice& c) { return c.column == column; });
    choices_.push_back({column, field});
    mapping_ = MapColumns(table_, choices_);
    ShowMapping();
    HideRefusal();
}

void TTableImport::ShowMapping() {
    for (std::size_t k = 0; k < fieldCombos_.size(); ++k) {
        const QSignalBlocker blocker(fieldCombos_[k]);
        const auto field = mapping_[k];
        fieldCombos_[k]->setCurrentIndex(field ? static_cast<int>(*field) + 1 : 0);
    }
    previewModel_->MappingChanged();
}

void TTableImport::ImportBtnClick() {
    // One step of the history, so that one Undo takes every new title and name away.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto done = ImportTable(changes_, table_, mapping_, today_, current_);
    QApplication::restoreOverrideCursor();
    if (!done) {
        ShowRefusal(done.error());
        return;
    }
    imported_ = *done;
    accept();
}

void TTableImport::ShowRefusal(const TableImportRefusal& refusal) {
    RefusalText->setText(QText(catalogue_, TableImportMessage(refusal)));
    RefusalText->show();
    refusedModel_->Show(&table_, refusal.cells);
    Refused->setVisible(!refusal.cells.empty());
    Refused->resizeColumnToContents(0);
    Refused->resizeColumnToContents(1);
}

void TTableImport::HideRefusal() {
    RefusalText->clear();
    RefusalText->hide();
    Refused->hide();
    refusedModel_->Show(&table_, {});
}

} // namespace tavrin

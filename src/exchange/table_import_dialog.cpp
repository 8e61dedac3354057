#include "exchange/table_import_dialog.h"

#include "exchange/table_import_model.h"
#include "platform/accessible_names.h"
#include "platform/text.h"
#include "platform/window_placement.h"

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

// Header and field pairs on a line of the field choices, each header cut to a width.
constexpr int ChoicesPerLine = 3;
constexpr int HeaderWidth = 110;

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
    CancelBtn = new QPushButton(this);
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
    CancelBtn->setText(QText(catalogue_, Msg::MsgCancel));
    for (QComboBox* combo : fieldCombos_) {
        combo->setItemText(0, QText(catalogue_, Msg::MsgTableIgnored));
        for (const TableField field : AllTableFields())
            combo->setItemText(static_cast<int>(field) + 1,
                               QStringFromUtf8(TableFieldLabel(field, catalogue_.Language())));
    }
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
        const QString header = ColumnHeaderText(table_, k);
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
        for (const TableField field : AllTableFields())
            combo->addItem(QStringFromUtf8(TableFieldLabel(field, catalogue_.Language())));
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

QString TTableImport::RemarksText() const {
    if (!imported_ || imported_->warnings.empty()) return {};
    constexpr std::size_t Shown = 20;
    const auto& warnings = imported_->warnings;
    QString text = QText(catalogue_, Msg::MsgTableImportRemarks);
    for (std::size_t i = 0; i < std::min(Shown, warnings.size()); ++i)
        text += QLatin1Char('\n') +
                QStringFromUtf8(TableWarningText(warnings[i],
                                                 ColumnHeaderText(table_, warnings[i].column).toStdString(),
                                                 catalogue_.Language()));
    if (warnings.size() > Shown)
        text += QLatin1Char('\n') + QText(catalogue_, Msg::MsgTableMoreRemarks).arg(warnings.size() - Shown);
    return text;
}

void TTableImport::ShowRefusal(const TableImportRefusal& refusal) {
    RefusalText->setText(QText(catalogue_, TableImportMessage(refusal)));
    RefusalText->show();
    refusedModel_->Show(&table_, refusal.cells, mapping_);
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

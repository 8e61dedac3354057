// The VIEW menu: the title list, the title table or the cover grid, the table's columns and its
// sort, and the search field's shortcut.
#include "app/browse/cover_grid_widget.h"
#include "app/browse/title_table_model.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QStackedWidget>
#include <QTableView>

#include <algorithm>

namespace tavrin {
namespace {

// What the table or the grid adds to the window's width, at most: room for the table's columns or
// more covers a row beside the pages.
constexpr int TableExtraWidth = 420;

QAction* AddViewItem(QMenu* menu, const QString& name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    return action;
}

QString ColumnItemName(TableColumn column) {
    return QStringLiteral("Column") + QStringFromCp1252(TableColumnName(column));
}

// A column's first width, in characters of the list's font.
int ColumnCharacters(TableColumn column) {
    switch (column) {
    case TableColumn::Title:
        return 26;
    case TableColumn::Director:
        return 18;
    case TableColumn::Genre:
        return 13;
    case TableColumn::Purchased:
    case TableColumn::Watched:
        return 11;
    case TableColumn::Price:
    case TableColumn::Marks:
        return 9;
    case TableColumn::Medium:
        return 8;
    case TableColumn::Year:
    case TableColumn::Length:
        return 6;
    }
    return 8;
}

// The columns' menu ticks the columns shown; every column can be hidden but the last one shown.
void ShowColumnChoices(const QMenu* columns, const QHeaderView* header) {
    const int shown = header->count() - header->hiddenSectionCount();
    for (TableColumn column : AllTableColumns) {
        QAction* item = columns->findChild<QAction*>(ColumnItemName(column));
        const bool visible = !header->isSectionHidden(TitleTableModel::SectionOf(column));
        item->setChecked(visible);
        item->setEnabled(!visible || shown > 1);
    }
}

} // namespace

void TLDF1::BuildViewMenu() {
    VIEW1 = new QMenu(this);
    VIEW1->setObjectName(QStringLiteral("VIEW1"));
    TitleList1 = AddViewItem(VIEW1, QStringLiteral("TitleList1"));
    TitleTable1 = AddViewItem(VIEW1, QStringLiteral("TitleTable1"));
    CoverGrid1 = AddViewItem(VIEW1, QStringLiteral("CoverGrid1"));
    auto* views = new QActionGroup(VIEW1);
    for (QAction* item : {TitleList1, TitleTable1, CoverGrid1}) {
        item->setCheckable(true);
        views->addAction(item);
    }
    TitleList1->setChecked(true);
    // The columns' menu, also the pop-up of the table's header.
    auto* columns = new QMenu(VIEW1);
    columns->setObjectName(QStringLiteral("TableColumns1"));
    for (TableColumn column : AllTableColumns) {
        QAction* item = AddViewItem(columns, ColumnItemName(column));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, column](bool on) {
            TitleTable->horizontalHeader()->setSectionHidden(TitleTableModel::SectionOf(column), !on);
            KeepTableLayout();
        });
    }
    VIEW1->addMenu(columns);
    // The header's sorts, for the keyboard: a column chosen again sorts the other way.
    auto* sorts = new QMenu(VIEW1);
    sorts->setObjectName(QStringLiteral("SortBy1"));
    for (TableColumn column : AllTableColumns) {
        QAction* item = AddViewItem(sorts, QStringLiteral("SortBy") + ColumnItemName(column));
        connect(item, &QAction::triggered, this, [this, column] { SortTableBy(column); });
    }
    VIEW1->addMenu(sorts);
    VIEW1->addSeparator();
    Search1 = AddViewItem(VIEW1, QStringLiteral("Search1"));
    Search1->setShortcut(QKeySequence::Find);

    connect(TitleList1, &QAction::triggered, this, [this] { ShowTitleView(TitleViewKind::List); });
    connect(TitleTable1, &QAction::triggered, this, [this] { ShowTitleView(TitleViewKind::Table); });
    connect(CoverGrid1, &QAction::triggered, this, [this] { ShowTitleView(TitleViewKind::Grid); });
    connect(Search1, &QAction::triggered, this, [this] {
        EnterSearch->setFocus(Qt::ShortcutFocusReason);
        EnterSearch->selectAll();
    });
}

void TLDF1::BuildTitleTable() {
    TitleTable = new QTableView(titleViews_);
    TitleTable->setObjectName(QStringLiteral("TitleTable"));
    TitleTable->setModel(model_);
    // One selection for both views: the current title is the same whichever is shown.
    QItemSelectionModel* own = TitleTable->selectionModel();
    TitleTable->setSelectionModel(ListDisc->selectionModel());
    delete own;
    TitleTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    TitleTable->setSelectionMode(QAbstractItemView::SingleSelection);
    TitleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TitleTable->setSortingEnabled(false); // the browse list itself is sorted, not a proxy
    TitleTable->setWordWrap(false);
    TitleTable->setShowGrid(false);
    TitleTable->setAlternatingRowColors(true);
    TitleTable->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Rows of one fixed height: the view never measures 65,535 of them.
    QHeaderView* rows = TitleTable->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(TitleTable->fontMetrics().height() + 6);

    QHeaderView* header = TitleTable->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    const int character = TitleTable->fontMetrics().averageCharWidth();
    for (TableColumn column : AllTableColumns)
        header->resizeSection(TitleTableModel::SectionOf(column), ColumnCharacters(column) * character + 12);
    ShowTableLayout(TableLayoutFromText(settings_.TableColumns));
    ShowTableWidths(TableWidthsFromText(settings_.TableWidths));

    connect(header, &QHeaderView::sectionResized, this, &TLDF1::KeepTableWidth);
    connect(header, &QHeaderView::sectionClicked, this, &TLDF1::TitleTableHeaderClick);
    connect(header, &QHeaderView::sectionMoved, this, &TLDF1::KeepTableLayout);
    connect(header, &QHeaderView::customContextMenuRequested, this, &TLDF1::TitleTableHeaderMenu);
    titleViews_->addWidget(TitleTable);
}

void TLDF1::ApplyViewTexts() {
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    VIEW1->setTitle(text(Msg::MsgViewMenu));
    TitleList1->setText(text(Msg::MsgTitleList));
    TitleTable1->setText(text(Msg::MsgTitleTable));
    CoverGrid1->setText(text(Msg::MsgCoverGrid));
    auto* columns = VIEW1->findChild<QMenu*>(QStringLiteral("TableColumns1"));
    columns->setTitle(text(Msg::MsgColumns));
    auto* sorts = VIEW1->findChild<QMenu*>(QStringLiteral("SortBy1"));
    sorts->setTitle(text(Msg::MsgSortBy));
    for (TableColumn column : AllTableColumns) {
        columns->findChild<QAction*>(ColumnItemName(column))->setText(text(TableColumnHeader(column)));
        sorts->findChild<QAction*>(QStringLiteral("SortBy") + ColumnItemName(column))
            ->setText(text(TableColumnHeader(column)));
    }
    Search1->setText(text(Msg::MsgSearch));
    EnterSearch->setPlaceholderText(text(Msg::MsgSearch));
    EnterSearch->setToolTip(text(Msg::MsgSearchHint));
    TitleTable->horizontalHeader()->setToolTip(text(Msg::MsgTableColumnsHint));
    TitleTable->setAccessibleName(text(Msg::MsgTitleTable));
    CoverGrid->setAccessibleName(text(Msg::MsgCoverGrid));
    model_->Relabel();
    FitTableHeaders();
    // The genres sort by their names, which the language changes.
    if (tableSort_ && tableSort_->column == TableColumn::Genre) {
        const auto record = CurrentRecord();
        SortTitles(collection_, listeIndexTri_, *tableSort_, catalogue_);
        RebuildTitleList();
        if (record) SelectRecord(*record);
    }
}

QAbstractItemView* TLDF1::ShownTitles() const {
    if (titleViews_->currentWidget() == TitleTable) return TitleTable;
    if (titleViews_->currentWidget() == CoverGrid) return CoverGrid;
    return ListDisc;
}

void TLDF1::ShowRow(std::size_t row, bool atTop) {
    QAbstractItemView* view = ShownTitles();
    const QModelIndex index = view->model()->index(static_cast<int>(row), 0);
    view->setCurrentIndex(index);
    view->scrollTo(index, atTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

void TLDF1::ShowTitleView(TitleViewKind kind) {
    TitleList1->setChecked(kind == TitleViewKind::List);
    TitleTable1->setChecked(kind == TitleViewKind::Table);
    CoverGrid1->setChecked(kind == TitleViewKind::Grid);
    settings_.TitleView = kind == TitleViewKind::Table ? "T" : kind == TitleViewKind::Grid ? "G" : "L";
    QAbstractItemView* const view = kind == TitleViewKind::Table ? static_cast<QAbstractItemView*>(TitleTable)
                                    : kind == TitleViewKind::Grid ? static_cast<QAbstractItemView*>(CoverGrid)
                                                                  : ListDisc;
    if (ShownTitles() == view) return;
    if (kind == TitleViewKind::Grid) AttachCoverGrid();
    const bool hadFocus = ShownTitles()->hasFocus();
    const bool wasWide = ShownTitles() != ListDisc;
    const QModelIndexList selected = ListDisc->selectionModel()->selectedIndexes();
    titleViews_->setCurrentWidget(view);

    // The table and the grid take more room, as far as the screen has it; the pages keep theirs.
    const bool wide = kind != TitleViewKind::List;
    if (wide != wasWide) {
        if (wide) {
            const QScreen* shownOn = screen();
            const int free = shownOn ? shownOn->availableGeometry().width() - frameGeometry().width() : 0;
            tableWidening_ = std::clamp(free, 0, TableExtraWidth);
        }
        const int change = wide ? tableWidening_ : -tableWidening_;
        if (!wide) tableWidening_ = 0;
        if (change != 0) {
            if (!isMaximized() && !isFullScreen()) {
                resize(width() + change, height());
                KeepOnScreen(this);
            }
            ShowListWidth(listWidth_ + change);
        }
    }
    if (kind == TitleViewKind::Table) FitTableColumns();

    // The shown view selects the title again in its way: the list its cell, the table its row,
    // the grid its cover.
    if (!selected.isEmpty()) ShowRow(static_cast<std::size_t>(selected.front().row()));
    if (hadFocus) ShownTitles()->setFocus();
}

void TLDF1::TitleTableHeaderClick(int section) {
    SortTableBy(TitleTableModel::ColumnAt(section));
}

void TLDF1::SortTableBy(TableColumn column) {
    const auto record = CurrentRecord();
    tableSort_ = ClickedSort(tableSort_, column);
    SortTitles(collection_, listeIndexTri_, *tableSort_, catalogue_);
    RebuildTitleList();
    ShowSortIndicator();
    if (record) SelectRecord(*record);
}

void TLDF1::ShowSortIndicator() {
    QHeaderView* header = TitleTable->horizontalHeader();
    if (tableSort_)
        header->setSortIndicator(TitleTableModel::SectionOf(tableSort_->column),
                                 tableSort_->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        header->setSortIndicator(-1, Qt::AscendingOrder);
}

void TLDF1::TitleTableHeaderMenu(const QPoint& at) {
    auto* columns = VIEW1->findChild<QMenu*>(QStringLiteral("TableColumns1"));
    columns->popup(TitleTable->horizontalHeader()->mapToGlobal(at));
}

void TLDF1::ShowTableLayout(const TableLayout& layout) {
    QHeaderView* header = TitleTable->horizontalHeader();
    for (std::size_t i = 0; i < layout.size(); ++i)
        header->moveSection(header->visualIndex(TitleTableModel::SectionOf(layout[i])), static_cast<int>(i));
    for (TableColumn column : AllTableColumns)
        header->setSectionHidden(TitleTableModel::SectionOf(column),
                                 std::find(layout.begin(), layout.end(), column) == layout.end());
    ShowColumnChoices(VIEW1->findChild<QMenu*>(QStringLiteral("TableColumns1")), header);
}

void TLDF1::KeepTableLayout() {
    const QHeaderView* header = TitleTable->horizontalHeader();
    TableLayout layout;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        if (!header->isSectionHidden(section)) layout.push_back(TitleTableModel::ColumnAt(section));
    }
    settings_.TableColumns = TableLayoutText(layout);
    ShowColumnChoices(VIEW1->findChild<QMenu*>(QStringLiteral("TableColumns1")), header);
}

void TLDF1::ShowTableWidths(const TableWidths& widths) {
    QHeaderView* header = TitleTable->horizontalHeader();
    for (TableColumn column : AllTableColumns) {
        const int width = widths[static_cast<std::size_t>(column)];
        if (width <= 0) continue;
        header->resizeSection(TitleTableModel::SectionOf(column), width);
        tableWidths_[static_cast<std::size_t>(column)] = width;
        tableFitDue_ = false;
    }
}

void TLDF1::KeepTableWidth(int section, int, int newSize) {
    // A hidden column reads 0 and keeps the width it comes back with; a column widened for its
    // header is widened again at each start.
    if (newSize <= 0 || fittingHeaders_) return;
    tableWidths_[static_cast<std::size_t>(TitleTableModel::ColumnAt(section))] = newSize;
    settings_.TableWidths = TableWidthsText(tableWidths_);
    tableFitDue_ = false;
}

void TLDF1::FitTableHeaders() {
    QHeaderView* header = TitleTable->horizontalHeader();
    fittingHeaders_ = true;
    for (int section = 0; section < header->count(); ++section)
        if (!header->isSectionHidden(section) &&
            header->sectionSize(section) < header->sectionSizeHint(section))
            header->resizeSection(section, header->sectionSizeHint(section));
    fittingHeaders_ = false;
}

void TLDF1::FitTableColumns() {
    if (!tableFitDue_ || ShownTitles() != TitleTable || model_->rowCount() == 0) return;
    // The texts of the rows on screen and the header's own caption (Qt measures at most the
    // first thousand rows, so this stays quick on a large collection).
    TitleTable->resizeColumnsToContents();
    tableFitDue_ = false;
}

} // namespace tavrin

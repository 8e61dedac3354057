#include "app/browse/make_list_dialog.h"

#include "app/browse/title_list_model.h"
#include "platform/accessible_names.h"
#include "platform/text.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

QListView* TitleList(const char* name, QWidget* parent) {
    auto* view = new QListView(parent);
    view->setObjectName(QLatin1String(name));
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QToolButton* MoveButton(const char* name, const char* text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QLatin1String(text));
    button->setMinimumWidth(36);
    return button;
}

std::vector<int> SelectedRows(const QListView* view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    return rows;
}

} // namespace

TMakeList::TMakeList(const Collection& collection, const MessageCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), collection_(collection), catalogue_(catalogue) {
    setObjectName(QStringLiteral("MakeList"));
    SrcList = TitleList("SrcList", this);
    DstList = TitleList("DstList", this);
    srcModel_ = new TitleListModel(collection_, available_, this);
    dstModel_ = new TitleListModel(collection_, chosen_, this);
    SrcList->setModel(srcModel_);
    DstList->setModel(dstModel_);

    IncludeBtn = MoveButton("IncludeBtn", ">", this);
    IncAllBtn = MoveButton("IncAllBtn", ">>", this);
    ExcludeBtn = MoveButton("ExcludeBtn", "<", this);
    ExAllBtn = MoveButton("ExAllBtn", "<<", this);
    OKBtn = new QPushButton(this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QToolButton* b : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
        moves->addWidget(b);
    moves->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addWidget(SrcList, 1);
    lists->addLayout(moves);
    lists->addWidget(DstList, 1);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(OKBtn);
    closing->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(closing);
    resize(520, 380);

    connect(IncludeBtn, &QToolButton::clicked, this, &TMakeList::IncludeBtnClick);
    connect(IncAllBtn, &QToolButton::clicked, this, &TMakeList::IncAllBtnClick);
    connect(ExcludeBtn, &QToolButton::clicked, this, &TMakeList::ExcludeBtnClick);
    connect(ExAllBtn, &QToolButton::clicked, this, &TMakeList::ExAllBtnClick);
    connect(SrcList, &QListView::doubleClicked, this, &TMakeList::IncludeBtnClick);
    connect(DstList, &QListView::doubleClicked, this, &TMakeList::ExcludeBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTexts();
}

TMakeList::~TMakeList() {
    // The models read vectors that die before the views do.
    SrcList->setModel(nullptr);
    DstList->setModel(nullptr);
}

void TMakeList::ApplyTexts() {
    setWindowTitle(QText(catalogue_, Msg::MsgChooseTitlesForThe));
    OKBtn->setText(QText(catalogue_, Msg::MsgOk));
    CancelBtn->setText(QText(catalogue_, Msg::MsgCancel));
    SrcList->setAccessibleName(QText(catalogue_, Msg::MsgAllTitles));
    DstList->setAccessibleName(QText(catalogue_, Msg::MsgChooseTitlesForThe));
    NameControls(this);
}

void TMakeList::Fill(std::span<const std::uint16_t> titles) {
    picker_ = std::make_unique<TitlePicker>(collection_, titles);
    Refresh();
}

std::vector<std::uint16_t> TMakeList::Chosen() const {
    return chosen_;
}

void TMakeList::Refresh() {
    available_ = picker_ ? picker_->Available() : std::vector<std::uint16_t>{};
    chosen_ = picker_ ? picker_->Chosen() : std::vector<std::uint16_t>{};
    srcModel_->Refresh();
    dstModel_->Refresh();
}

void TMakeList::IncludeBtnClick() {
    if (!picker_) return;
    picker_->Choose(SelectedRows(SrcList));
    Refresh();
}

void TMakeList::IncAllBtnClick() {
    if (!picker_) return;
    picker_->ChooseAll();
    Refresh();
}

void TMakeList::ExcludeBtnClick() {
    if (!picker_) return;
    picker_->Unchoose(SelectedRows(DstList));
    Refresh();
}

void TMakeList::ExAllBtnClick() {
    if (!picker_) return;
    picker_->UnchooseAll();
    Refresh();
}

} // namespace tavrin

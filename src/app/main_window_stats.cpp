// The main window's side of the statistics window and of the special selections: Russian
// Roulette, the price summary with its titles of null price, and the manual choice of titles.
#include "app/browse/browse_pages.h"
#include "app/browse/make_list_dialog.h"
#include "app/browse/page_widgets.h"
#include "app/browse/title_list_model.h"
#include "app/main_window.h"
#include "platform/text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin {

void TLDF1::ConnectStatsCommands() {
    MakeList = new TMakeList(collection_, catalogue_, this);
    MakeList->ApplyTexts();
    connect(MakeList, &QDialog::finished, this, &TLDF1::MakeListFinished);
    connect(Statistics1, &QAction::triggered, this, &TLDF1::Statistics1Click);
    connect(DVDStatistics1, &QAction::triggered, this, &TLDF1::DVDStatistics1Click);
    connect(windows_.statsForm.get(), &TStatsForm::Closed, this, [this] { setEnabled(true); });
    connect(SpeedButton23, &QToolButton::clicked, this, &TLDF1::SpeedButton23Click);
}

// ---- Statistics ----

void TLDF1::Statistics1Click() {
    OpenStatistics(StatsMode::Statistics);
}

void TLDF1::DVDStatistics1Click() {
    OpenStatistics(StatsMode::DvdStatistics);
}

void TLDF1::OpenStatistics(StatsMode mode) {
    const StatsSource source{&collection_, &listeIndexTri_, ChartFiltersOf(filters_),
                             DateFromDayNumber(today_).year, prompts_.get()};
    if (windows_.statsForm->Open(mode, source)) setEnabled(false);
}

// ---- The GADGET page's groups ----

void TLDF1::BuildSelectionGroups(QWidget* content, QVBoxLayout* page) {
    SelectionControls& s = pages_->selections;
    s.GroupBox10 = NamedGroup("GroupBox10", content);
    s.SpeedButton14 = NamedButton("SpeedButton14", s.GroupBox10);
    auto* roulette = new QVBoxLayout(s.GroupBox10);
    Tighten(roulette);
    roulette->addWidget(s.SpeedButton14);
    roulette->addStretch();

    s.GroupBox9 = NamedGroup("GroupBox9", content);
    s.SpeedButton15 = NamedButton("SpeedButton15", s.GroupBox9);
    s.TotalPrice = ViewField("TotalPrice", s.GroupBox9);
    s.NbDisc = ViewField("NbDisc", s.GroupBox9);
    s.PriceZero = ViewField("PriceZero", s.GroupBox9);
    for (QLineEdit* field : {s.TotalPrice, s.NbDisc, s.PriceZero}) {
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(80);
    }
    auto* price = new QHBoxLayout(s.GroupBox9);
    Tighten(price);
    price->addWidget(s.SpeedButton15);
    price->addWidget(s.TotalPrice);
    price->addWidget(s.NbDisc);
    price->addWidget(s.PriceZero);
    price->addStretch();

    auto* row = new QHBoxLayout;
    row->addWidget(s.GroupBox10);
    row->addWidget(s.GroupBox9, 1);
    page->addLayout(row);

    connect(s.SpeedButton14, &QToolButton::clicked, this, &TLDF1::SpeedButton14Click);
    connect(s.SpeedButton15, &QToolButton::clicked, this, &TLDF1::SpeedButton15Click);
    OnDoubleClick(s.PriceZero, [this] { PriceZeroDblClick(); });
}

void TLDF1::ApplySelectionTexts() {
    SelectionControls& s = pages_->selections;
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    s.GroupBox10->setTitle(QCaptionText(catalogue_, Msg::MsgRussianRoulette));
    s.SpeedButton14->setText(text(Msg::MsgRussianRoulette).toUpper());
    s.GroupBox9->setTitle(text(Msg::MsgPrice).toUpper());
    s.SpeedButton15->setText((text(Msg::MsgCalculate) + text(Msg::MsgPrice)).toUpper());
    s.TotalPrice->setToolTip(text(Msg::MsgTotalPrice));
    s.NbDisc->setToolTip(text(Msg::MsgNumberOfSeparateTitles));
    s.PriceZero->setToolTip(text(Msg::MsgNumberOfTitlesWith));
    if (MakeList) MakeList->ApplyTexts();
}

// ---- The selections ----

void TLDF1::SelectRow(std::size_t row) {
    const QModelIndex index = model_->index(static_cast<int>(row));
    ListDisc->setCurrentIndex(index);
    ListDisc->scrollTo(index);
    ShowCurrentTitle();
}

void TLDF1::SpeedButton14Click() {
    if (const auto entry = roulette_.Draw(listeIndexTri_.size())) SelectRow(*entry);
}

void TLDF1::SpeedButton15Click() {
    if (listeIndexTri_.empty()) return;
    const PriceSummary summary = CalculatePrice(collection_, listeIndexTri_);
    SelectionControls& s = pages_->selections;
    s.TotalPrice->setText(QString::fromStdString(TotalPriceText(summary)));
    s.NbDisc->setText(QString::number(summary.NbDisc));
    s.PriceZero->setText(QString::number(summary.PriceZero));
}

void TLDF1::PriceZeroDblClick() {
    if (listeIndexTri_.empty() || pages_->selections.PriceZero->text().toInt() <= 0) return;
    // The filters as they are now, then only the titles without a price.
    RefreshList();
    listeIndexTri_ = KeepNullPrices(collection_, listeIndexTri_);
    RebuildTitleList();
    if (listeIndexTri_.empty()) {
        ClearTitleView();
        return;
    }
    SelectRow(0);
    FlipToInformation();
}

void TLDF1::SpeedButton23Click() {
    if (listeIndexTri_.empty()) return;
    MakeList->Fill(listeIndexTri_);
    MakeList->open();
}

void TLDF1::MakeListFinished(int result) {
    if (result != QDialog::Accepted) return;
    std::vector<std::uint16_t> chosen = MakeList->Chosen();
    if (chosen.empty()) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgYouHaveChooseNo));
        return;
    }
    // Until the next refresh or reset; the filters stay as they are.
    listeIndexTri_ = std::move(chosen);
    RebuildTitleList();
    SelectRow(0);
}

} // namespace tavrin

// The main window's side of the statistics window and of the manual choice of titles.
#include "app/browse/make_list_dialog.h"
#include "app/browse/special_selections.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "platform/window_placement.h"

#include <QToolButton>

namespace tavrin {

void TLDF1::ConnectStatsCommands() {
    MakeList = new TMakeList(collection_, catalogue_, this);
    MakeList->ApplyTexts();
    connect(MakeList, &QDialog::finished, this, &TLDF1::MakeListFinished);
    connect(Statistics1, &QAction::triggered, this, &TLDF1::Statistics1Click);
    connect(DVDStatistics1, &QAction::triggered, this, &TLDF1::DVDStatistics1Click);
    connect(windows_.statsForm.get(), &TStatsForm::Closed, this, [this] {
        settings_.StatsWindow = PlacementText(windows_.statsForm.get());
        setEnabled(true);
    });
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

// ---- The manual choice of titles ----

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
    ListTitles(std::move(chosen));
}

} // namespace tavrin

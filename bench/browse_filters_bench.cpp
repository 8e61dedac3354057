// The browse refresh over the large collection, with every filter neutral and with every filter
// set, each against the floor of testing one byte of every record in master order; and the sort
// that builds a master order from scratch.
#include "bench_support.h"

#include "app/browse/browse_filters.h"
#include "store/title_order.h"

namespace {

using namespace tavrin;
using namespace tavrin::bench;

constexpr DayNumber Today = 46364;

void RefreshAgainstFloor(benchmark::State& state, const BrowseFilters& f) {
    const Collection& c = LargeCollection();
    std::size_t rows = 0;
    AgainstFloor(
        state, [&] { benchmark::DoNotOptimize(ScanMasterOrder(c.titles, c.ListeIndex)); },
        [&] {
            auto list = RefreshBrowseList(c, f, Today);
            rows = list.size();
            benchmark::DoNotOptimize(list.data());
        });
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_RefreshNeutral(benchmark::State& state) {
    RefreshAgainstFloor(state, NeutralFilters(2026, 33000));
}
BENCHMARK(BM_RefreshNeutral)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Every kind of filter set, chosen so that many titles survive the cheap tests and the later
// passes still have work to do.
void BM_RefreshEveryFilter(benchmark::State& state) {
    BrowseFilters f = NeutralFilters(2026, 33000);
    f.TSupport = 1;
    f.TStandard = 1;
    f.TAC3 = true;
    f.TAnnee1 = 1940;
    f.TAnnee2 = 2020;
    f.TNoteFilm1 = 1;
    f.TNoteImage1 = 1;
    f.TNoteSon1 = 1;
    f.Watched = WatchCount::Most;
    f.TWatched = WatchDate::Last;
    f.EntrySince = 34000;
    f.DvdCombo(DvdFilter::AllDd) = 1;
    f.DvdCombo(DvdFilter::Sub) = 2;
    RefreshAgainstFloor(state, f);
}
BENCHMARK(BM_RefreshEveryFilter)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The name selections and the actor filter, the tests on 16-bit references.
void BM_RefreshNameSelections(benchmark::State& state) {
    const Collection& c = LargeCollection();
    BrowseFilters f = NeutralFilters(2026, 33000);
    f.TGenre = 5;
    f.TEditeur = c.titles[0].Publisher();
    f.TDirector = c.titles[1].Director();
    f.TActor = {c.titles[2].Actor1(), -1, -1};
    RefreshAgainstFloor(state, f);
}
BENCHMARK(BM_RefreshNameSelections)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_SortMasterOrder(benchmark::State& state) {
    const Collection& c = LargeCollection();
    for (auto _ : state)
        benchmark::DoNotOptimize(SortedTitleOrder(c.titles));
}
BENCHMARK(BM_SortMasterOrder)->Unit(benchmark::kMillisecond);

} // namespace

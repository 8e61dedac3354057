// The browse refresh over a full collection, with every filter neutral and with every filter
// active, and the sort that builds a master order from scratch.
#include "app/browse/browse_filters.h"
#include "store/title_order.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace tavrin;

constexpr DayNumber Today = 46364;

const Collection& FullCollection() {
    static const Collection c = [] {
        Collection c;
        std::mt19937 rng(7);
        auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        c.titles.reserve(TitleCapacity);
        for (std::size_t i = 0; i < TitleCapacity; ++i) {
            TitleRecord t;
            std::string title;
            for (int k = 0, len = 4 + pick(30); k < len; ++k) title.push_back(static_cast<char>('A' + pick(26)));
            t.SetTitle(title);
            t.SetYear(static_cast<std::uint16_t>(1930 + pick(95)));
            t.SetSupport(static_cast<std::uint8_t>(pick(4)));
            t.SetStandard(static_cast<std::uint8_t>(pick(3)));
            t.SetGenre(static_cast<std::uint8_t>(pick(33)));
            t.SetGenre2(static_cast<std::uint8_t>(pick(33)));
            t.SetThx(pick(2));
            t.SetAc3(pick(2));
            t.SetFilmRating(static_cast<std::uint8_t>(pick(6)));
            t.SetPictureRating(static_cast<std::uint8_t>(pick(6)));
            t.SetSoundRating(static_cast<std::uint8_t>(pick(6)));
            t.SetDirector(static_cast<std::uint16_t>(pick(3000)));
            for (auto off : ActorOffsets) t.SetU16(off, static_cast<std::uint16_t>(pick(8000)));
            t.SetViewings(static_cast<std::uint16_t>(pick(20)));
            t.SetWatchDate(40000 + pick(6000));
            t.SetBuyDate(38000 + pick(8000));
            t.SetDvdDd51(static_cast<std::uint8_t>(pick(256)));
            t.SetDvdSubtitles(static_cast<std::uint8_t>(pick(256)));
            c.titles.push_back(t);
        }
        c.ListeIndex = SortedTitleOrder(c.titles);
        return c;
    }();
    return c;
}

void BM_RefreshNeutral(benchmark::State& state) {
    const Collection& c = FullCollection();
    const BrowseFilters f = NeutralFilters(2026, 38000);
    for (auto _ : state) benchmark::DoNotOptimize(RefreshBrowseList(c, f, Today));
}
BENCHMARK(BM_RefreshNeutral)->Unit(benchmark::kMicrosecond);

// Every filter set to something, chosen so that many titles survive the cheap tests and the
// later passes still have work to do.
void BM_RefreshEveryFilter(benchmark::State& state) {
    const Collection& c = FullCollection();
    BrowseFilters f = NeutralFilters(2026, 38000);
    f.TSupport = 1;
    f.TStandard = 1;
    f.TGenre = 5;
    f.TTHX = true;
    f.TAC3 = true;
    f.TAnnee1 = 1940;
    f.TAnnee2 = 2020;
    f.TNoteFilm1 = 1;
    f.TNoteImage1 = 1;
    f.TNoteSon1 = 1;
    f.TActor = {c.titles[0].Actor1(), -1, -1};
    f.Watched = WatchCount::Most;
    f.TWatched = WatchDate::Last;
    f.EntrySince = 39000;
    f.DvdCombo(DvdFilter::AllDd) = 1;
    f.DvdCombo(DvdFilter::Sub) = 2;
    for (auto _ : state) benchmark::DoNotOptimize(RefreshBrowseList(c, f, Today));
}
BENCHMARK(BM_RefreshEveryFilter)->Unit(benchmark::kMicrosecond);

void BM_SortMasterOrder(benchmark::State& state) {
    const Collection& c = FullCollection();
    for (auto _ : state) benchmark::DoNotOptimize(SortedTitleOrder(c.titles));
}
BENCHMARK(BM_SortMasterOrder)->Unit(benchmark::kMillisecond);

} // namespace

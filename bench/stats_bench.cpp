// Every statistics chart and the price summary over a full collection of 65,535 titles, the whole
// collection listed: each is one pass over the list.
#include "app/browse/special_selections.h"
#include "reports/stats_chart.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <random>

namespace {

using namespace tavrin;

Collection& FullCollection() {
    static Collection c = [] {
        Collection c;
        std::mt19937 rng(11);
        auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        c.titles.reserve(TitleCapacity);
        for (std::size_t i = 0; i < TitleCapacity; ++i) {
            TitleRecord t;
            t.SetTitle("T" + std::to_string(i));
            t.SetSupport(static_cast<std::uint8_t>(pick(4)));
            t.SetAspectRatio(static_cast<std::uint8_t>(pick(9)));
            t.SetGenre(static_cast<std::uint8_t>(pick(33)));
            t.SetFilmRating(static_cast<std::uint8_t>(pick(6)));
            t.SetPictureRating(static_cast<std::uint8_t>(pick(6)));
            t.SetSoundRating(static_cast<std::uint8_t>(pick(6)));
            t.SetMpaa(static_cast<std::uint8_t>(pick(10)));
            t.SetSound(static_cast<std::uint8_t>(pick(5)));
            t.SetStandard(static_cast<std::uint8_t>(pick(3)));
            t.SetUsed(pick(2));
            t.SetCavSides(static_cast<std::uint8_t>(pick(3)));
            t.SetClvSides(static_cast<std::uint8_t>(pick(3)));
            t.SetZone(static_cast<std::uint8_t>(pick(7)));
            // A third in box sets of about three titles, the rest alone.
            t.SetBox(pick(3) == 0 ? static_cast<std::uint16_t>(pick(7000)) : NoEntry);
            t.SetPrice(static_cast<float>(pick(5000)) / 100.0f);
            t.SetBuyDate(42000 + pick(4000)); // 2014 .. 2025
            c.titles.push_back(t);
        }
        c.ListeIndex.resize(c.titles.size());
        std::iota(c.ListeIndex.begin(), c.ListeIndex.end(), std::uint16_t{0});
        return c;
    }();
    return c;
}

void BM_Chart(benchmark::State& state) {
    const Collection& c = FullCollection();
    const auto chart = static_cast<StatsChart>(state.range(0));
    const MessageCatalogue catalogue;
    state.SetLabel(std::string(StatsChartName(chart)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            DrawChart(c, c.ListeIndex, chart, ChartFilters{}, catalogue, MoneyPeriod{2020, 0}));
}
BENCHMARK(BM_Chart)->DenseRange(0, static_cast<int>(StatsChart::Money))->Unit(benchmark::kMicrosecond);

void BM_MoneyPerDay(benchmark::State& state) {
    const Collection& c = FullCollection();
    const MessageCatalogue catalogue;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            DrawChart(c, c.ListeIndex, StatsChart::Money, ChartFilters{}, catalogue, MoneyPeriod{2020, 6}));
}
BENCHMARK(BM_MoneyPerDay)->Unit(benchmark::kMicrosecond);

void BM_YearList(benchmark::State& state) {
    const Collection& c = FullCollection();
    for (auto _ : state)
        benchmark::DoNotOptimize(StatsYears(c, c.ListeIndex, 2026));
}
BENCHMARK(BM_YearList)->Unit(benchmark::kMicrosecond);

void BM_CalculatePrice(benchmark::State& state) {
    Collection& c = FullCollection();
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculatePrice(c, c.ListeIndex));
}
BENCHMARK(BM_CalculatePrice)->Unit(benchmark::kMicrosecond);

} // namespace

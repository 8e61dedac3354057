// "Add A List" and "Re-Building Index" at their sizes: merging a collection of 30,000 titles with
// thousands of names into another of 30,000 (half of the names shared, in another order), and
// rebuilding the master order of a full collection of 65,535 titles. On a busy machine the CPU
// column is the figure to read.
#include "bench_support.h"
#include "store/title_exchange.h"
#include "store/title_order.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using bench::RandomWords;

constexpr std::pair<ListId, std::size_t> ListSizes[] = {
    {ListId::Director, 3000}, {ListId::Actor, 8000},    {ListId::Composer, 1500},
    {ListId::Box, 600},       {ListId::Publisher, 120}, {ListId::Retailer, 400},
    {ListId::Info, 300},      {ListId::Info2, 200},     {ListId::Media, 2000},
};

// Titles referring to names drawn from shared: each list holds half of shared's names (shuffled by
// seed) and half of its own, so a merge both finds and appends names.
Collection MakeCollection(std::size_t titles, unsigned seed, const std::array<NameList, ListCount>& shared) {
    std::mt19937 rng(seed);
    Collection c;
    for (const auto& [list, count] : ListSizes) {
        NameList names = shared[static_cast<std::size_t>(list)];
        std::shuffle(names.begin(), names.end(), rng);
        names.resize(count / 2);
        while (names.size() < count)
            names.push_back(RandomWords(rng, 8, 30));
        c.List(list) = std::move(names);
    }
    auto pick = [&rng, &c](ListId list) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(c.List(list).size()) - 1)(rng);
    };
    auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
    c.titles.resize(titles);
    for (auto& t : c.titles) {
        t.SetTitle(RandomWords(rng, 3, 45));
        t.SetDirector(chance(95) ? static_cast<std::uint16_t>(pick(ListId::Director)) : NoEntry);
        const int actors = std::uniform_int_distribution<int>(0, 5)(rng);
        for (int a = 0; a < 5; ++a)
            t.SetU16(ActorOffsets[a], a < actors ? static_cast<std::uint16_t>(pick(ListId::Actor)) : NoEntry);
        t.SetComposer(chance(60) ? static_cast<std::uint16_t>(pick(ListId::Composer)) : NoEntry);
        t.SetBox(chance(10) ? static_cast<std::uint16_t>(pick(ListId::Box)) : NoEntry);
        t.SetInfo(chance(20) ? static_cast<std::uint16_t>(pick(ListId::Info)) : NoEntry);
        t.SetInfo2(chance(10) ? static_cast<std::uint16_t>(pick(ListId::Info2)) : NoEntry);
        t.SetRetailer(chance(70) ? static_cast<std::uint16_t>(pick(ListId::Retailer)) : NoEntry);
        t.SetPublisher(chance(90) ? pick(ListId::Publisher) : -1);
        for (std::size_t m = 0; m < MediaOffsets.size(); ++m)
            t.SetU16(MediaOffsets[m],
                     m == 0 && chance(30) ? static_cast<std::uint16_t>(pick(ListId::Media)) : NoEntry);
    }
    c.ListeIndex = SortedTitleOrder(c.titles);
    return c;
}

struct MergePair {
    Collection base;
    Collection other;
    MergePair() {
        std::mt19937 rng(2024);
        std::array<NameList, ListCount> shared;
        for (const auto& [list, count] : ListSizes)
            for (std::size_t i = 0; i < count; ++i)
                shared[static_cast<std::size_t>(list)].push_back(RandomWords(rng, 8, 30));
        base = MakeCollection(30000, 1, shared);
        other = MakeCollection(30000, 2, shared);
    }
};

const MergePair& Pair() {
    static const MergePair pair;
    return pair;
}

// file_order: 1 when the merged file's master order is in title order, as this program saves it;
// 0 when it is not (a file from elsewhere), and the new titles are sorted first.
void BM_MergeCollection(benchmark::State& state) {
    const auto& pair = Pair();
    for (auto _ : state) {
        state.PauseTiming();
        Collection c = pair.base;
        Collection other = pair.other;
        if (state.range(0) == 0) std::reverse(other.ListeIndex.begin(), other.ListeIndex.end());
        state.ResumeTiming();
        if (!MergeCollection(c, std::move(other))) state.SkipWithError("merge refused");
        benchmark::DoNotOptimize(c.ListeIndex.data());
    }
    state.counters["titles"] = static_cast<double>(pair.base.Count() + pair.other.Count());
}

void BM_RebuildIndex(benchmark::State& state) {
    std::mt19937 rng(3);
    Collection c;
    c.titles.resize(TitleCapacity);
    for (auto& t : c.titles)
        t.SetTitle(RandomWords(rng, 3, 45));
    for (auto _ : state) {
        RebuildIndex(c);
        benchmark::DoNotOptimize(c.ListeIndex.data());
    }
    state.counters["titles"] = static_cast<double>(c.Count());
}

BENCHMARK(BM_MergeCollection)->ArgName("file_order")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildIndex)->Unit(benchmark::kMillisecond);

} // namespace

// Cleaning a 10,000-entry actor list over a full collection (65,535 titles, five actor slots
// each), and deleting one actor from it, the other long name-list operation.
#include "editing/name_list_operations.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace tavrin;

constexpr int Actors = 10000;

// Titles use every other actor in the lower half and a few above, so cleaning removes about
// half the list, spread from the first entries to the last.
const Collection& FullCollection() {
    static const Collection c = [] {
        Collection c;
        std::mt19937 rng(11);
        for (int i = 0; i < Actors; ++i)
            c.List(ListId::Actor).push_back("ACTOR " + std::to_string(i));
        c.titles.resize(TitleCapacity);
        for (auto& t : c.titles) {
            t.SetTitle("TITLE");
            for (auto off : ActorOffsets) {
                const auto pick = rng() % 8;
                const auto v = pick == 0 ? NoEntry : static_cast<std::uint16_t>(2 * (rng() % (Actors / 2)));
                t.SetU16(off, v);
            }
        }
        return c;
    }();
    return c;
}

void CleanActorList(benchmark::State& state) {
    std::size_t erased = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Collection c = FullCollection();
        state.ResumeTiming();
        std::size_t lastRemaining = 0;
        const auto result = CleanList(
            c, ListId::Actor, [&](std::size_t remaining, std::string_view) { lastRemaining = remaining; });
        erased = result.erased.size();
        benchmark::DoNotOptimize(lastRemaining);
        benchmark::ClobberMemory();
    }
    state.counters["erased"] = static_cast<double>(erased);
}
BENCHMARK(CleanActorList)->Unit(benchmark::kMillisecond);

void DeleteOneActor(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Collection c = FullCollection();
        state.ResumeTiming();
        auto erasedIn = DeleteEntry(c, ListId::Actor, 2);
        benchmark::DoNotOptimize(erasedIn.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DeleteOneActor)->Unit(benchmark::kMillisecond);

} // namespace

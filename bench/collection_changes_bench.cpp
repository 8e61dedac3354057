// Every kind of recorded change at the largest collection: the change done and recorded, then
// undone, then redone (each timed on its own), and what the step keeps in the history.
// Counters: do_us, undo_us, redo_us (medians) and step_bytes.
#include "bench_support.h"
#include "editing/collection_changes.h"
#include "store/files/title_file.h"
#include "store/title_exchange.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using Clock = std::chrono::steady_clock;

constexpr DayNumber Today = 46000;
// Kinds that add titles start from a collection this much below the largest.
constexpr std::size_t Room = 1000;

// The large collection with its last `room` records removed (room 0: the collection itself).
Collection Working(std::size_t room) {
    Collection c = bench::LargeCollection();
    for (std::size_t i = 0; i < room; ++i)
        tavrin::DeleteTitle(c, c.Count() - 1);
    return c;
}

// A title file holding record r of the large collection, as Export A Title writes it.
TitleFileContents ExportedTitle(std::size_t r) {
    const Collection& c = bench::LargeCollection();
    return ParseTitleFile(SerializeTitleFile(c, c.RecordAt(r))).value();
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// One change done through the module, undone and redone in every iteration; the history keeps
// the one step (the undone step is dropped when the next one is recorded).
void Measure(benchmark::State& state, std::size_t room, const std::function<void(Changes)>& change,
             const std::function<void(Collection&)>& setUp = {}) {
    Collection c = Working(room);
    if (setUp) setUp(c);
    OpenCollection open(std::move(c));
    std::vector<double> done, undone, redone;
    std::size_t bytes = 0;
    auto time = [](const auto& run) {
        const auto t0 = Clock::now();
        run();
        return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
    };
    for (auto _ : state) {
        done.push_back(time([&] { change(open); }));
        bytes = open.History().Bytes();
        undone.push_back(time([&] { open.Undo(); }));
        redone.push_back(time([&] { open.Redo(); }));
        // Back where it started for the next iteration; the undo figure is the mean of both.
        undone.back() = (undone.back() + time([&] { open.Undo(); })) / 2;
        state.SetIterationTime((done.back() + undone.back() + redone.back()) * 1e-6);
    }
    state.counters["do_us"] = Median(done);
    state.counters["undo_us"] = Median(undone);
    state.counters["redo_us"] = Median(redone);
    state.counters["step_bytes"] = static_cast<double>(bytes);
}

void BM_EditTitle(benchmark::State& state) {
    // A new title that moves the record across the master order.
    TitleRecord t = bench::LargeCollection().RecordAt(100);
    t.SetTitle("ZZZ MOVED TO THE END");
    Measure(state, 0, [&](Changes ch) { EditTitle(ch, 100, t); });
}
BENCHMARK(BM_EditTitle)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_AddTitle(benchmark::State& state) {
    TitleRecord t = bench::LargeCollection().RecordAt(7);
    t.SetTitle("MMM A NEW TITLE");
    Measure(state, Room, [&](Changes ch) { (void)AddTitle(ch, t, ChangeKind::AddTitle, 0); });
}
BENCHMARK(BM_AddTitle)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DeleteTitle(benchmark::State& state) {
    Measure(state, 0, [](Changes ch) { DeleteTitle(ch, 500); });
}
BENCHMARK(BM_DeleteTitle)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_WatchedToday(benchmark::State& state) {
    Measure(state, 0, [](Changes ch) { WatchedToday(ch, 500, Today); });
}
BENCHMARK(BM_WatchedToday)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_AddName(benchmark::State& state) {
    Measure(state, 0, [](Changes ch) { (void)PickOrAddName(ch, ListId::Actor, "A NAME NOBODY HAS"); });
}
BENCHMARK(BM_AddName)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_DeleteEntry(benchmark::State& state) {
    // An actor entry in the middle: every reference above it is renumbered.
    const int entry = static_cast<int>(bench::LargeCollection().List(ListId::Actor).size() / 2);
    Measure(state, 0, [entry](Changes ch) { DeleteEntry(ch, ListId::Actor, entry); });
}
BENCHMARK(BM_DeleteEntry)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RenameEntry(benchmark::State& state) {
    Measure(state, 0, [](Changes ch) { (void)RenameEntry(ch, ListId::Director, 10, "A NEW NAME FOR HIM"); });
}
BENCHMARK(BM_RenameEntry)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_CleanList(benchmark::State& state) {
    // The list with a hundred names no title uses.
    Measure(
        state, 0, [](Changes ch) { CleanList(ch, ListId::Composer); },
        [](Collection& c) {
            for (int i = 0; i < 100; ++i)
                (void)tavrin::PickOrAddName(c, ListId::Composer, "UNUSED " + std::to_string(i));
        });
}
BENCHMARK(BM_CleanList)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ImportTitle(benchmark::State& state) {
    const TitleFileContents file = ExportedTitle(42);
    Measure(state, Room, [&](Changes ch) { (void)ImportTitle(ch, file, Today, 0); });
}
BENCHMARK(BM_ImportTitle)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_AddList(benchmark::State& state) {
    // A collection of 999 titles the large one does not have, with its name lists, merged in (a
    // merge leaves at least one record free).
    Collection other;
    const Collection& large = bench::LargeCollection();
    other.lists = large.lists;
    for (std::size_t r = 0; r + 1 < Room; ++r) {
        TitleRecord t = large.RecordAt(r * 60);
        t.SetTitle("ZZ NEW " + std::to_string(r));
        AppendTitle(other, t);
    }
    Measure(state, Room, [&](Changes ch) { (void)AddList(ch, other, Today, {}, 0); });
}
BENCHMARK(BM_AddList)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RebuildIndex(benchmark::State& state) {
    // A master order out of title order: reversed.
    Measure(
        state, 0, [](Changes ch) { RebuildIndex(ch, 0); },
        [](Collection& c) { std::reverse(c.ListeIndex.begin(), c.ListeIndex.end()); });
}
BENCHMARK(BM_RebuildIndex)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

// Opening and saving the large collection (65,535 titles, well-filled name lists, about 11 MB),
// each against its floor in the same run: opening against one read of the file, saving against
// one write of the bytes and a rename over the existing file. Loading is measured from a file the
// system has cached, which is what reopening a collection costs.
#include "bench_support.h"

#include "store/files/collection_file.h"

namespace {

using namespace tavrin;
using namespace tavrin::bench;

void SetFileCounters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeCollectionBytes().size()));
    state.counters["titles"] = static_cast<double>(LargeCollection().titles.size());
}

void BM_LoadCollectionFile(benchmark::State& state) {
    const auto& file = LargeCollectionFile();
    AgainstFloor(
        state, [&] { benchmark::DoNotOptimize(ReadWholeFile(file)); },
        [&] {
            auto loaded = LoadCollectionFile(file, "OTHER");
            if (!loaded) state.SkipWithError("load failed");
            benchmark::DoNotOptimize(loaded);
        });
    SetFileCounters(state);
}

void BM_ParseCollection(benchmark::State& state) {
    for (auto _ : state) {
        auto parsed = ParseCollection(LargeCollectionBytes(), "OTHER");
        if (!parsed) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(parsed);
    }
    SetFileCounters(state);
}

void BM_SerializeCollection(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = SerializeCollection(LargeCollection());
        benchmark::DoNotOptimize(bytes.data());
    }
    SetFileCounters(state);
}

// Save over the open file, as the Save command does, against the floor of writing the same
// bytes and renaming them over an existing file. flush: the data is forced to the disk first
// (what Save does), in the save and in the floor alike.
void BM_SaveCollectionFile(benchmark::State& state) {
    static Collection c = LargeCollection();
    const bool flush = state.range(0) != 0;
    const auto saved = ScratchFolder() / "SAVED.KXT";
    const auto floor = ScratchFolder() / "FLOOR.KXT";
    WriteAndRename(saved, LargeCollectionBytes(), false);
    WriteAndRename(floor, LargeCollectionBytes(), false);
    AgainstFloor(
        state, [&] { WriteAndRename(floor, LargeCollectionBytes(), flush); },
        [&] {
            if (!(flush ? SaveCollection(c, saved)
                        : WriteFileReplacing(saved, SerializeCollection(c), false)))
                state.SkipWithError("save failed");
        });
    SetFileCounters(state);
}

// Save As to a new name: no file is replaced. Renaming over an existing file makes ext4 start
// writing the new data out (its auto_da_alloc safeguard), which these runs leave out.
void BM_SaveCollectionToNewFile(benchmark::State& state) {
    const bool flush = state.range(0) != 0;
    const auto saved = ScratchFolder() / "NEW.KXT";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(saved);
        state.ResumeTiming();
        if (!WriteFileReplacing(saved, SerializeCollection(LargeCollection()), flush))
            state.SkipWithError("save failed");
    }
    SetFileCounters(state);
}

BENCHMARK(BM_LoadCollectionFile)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerializeCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCollectionFile)
    ->ArgName("flush")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCollectionToNewFile)->ArgName("flush")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

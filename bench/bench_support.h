// What the benchmarks share: one large collection (65,535 titles, well-filled name lists, about
// 11 MB as a file), the floors the machine cannot go below on that data, and the timing of an
// operation against its floor in the same run.
#pragma once

#include "store/collection.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tavrin::bench {

// The collection every benchmark works on, in title order, built once.
const Collection& LargeCollection();
// The same collection as a version-5 file: its bytes, and a copy on disk (removed at exit).
const std::vector<std::uint8_t>& LargeCollectionBytes();
const std::filesystem::path& LargeCollectionFile();
// A scratch folder beside it, removed at exit.
const std::filesystem::path& ScratchFolder();

// ---- Floors ----

// The whole file read into fresh memory with one read; returns its size.
std::size_t ReadWholeFile(const std::filesystem::path& path);
// One byte of every record tested, walking the records in memory order or in master order;
// returns how many passed.
std::size_t ScanMemoryOrder(std::span<const TitleRecord> titles);
std::size_t ScanMasterOrder(std::span<const TitleRecord> titles, std::span<const std::uint16_t> order);
// The bytes written to a temporary file with one write (forced to the disk when flush is set)
// and renamed over path.
void WriteAndRename(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, bool flush);

// Times floor and op one after the other in every iteration, so both see the same load. The
// benchmark's time is op's (register with UseManualTime); the counters give the floor's median
// (floor_ms) and the ratio of the two medians (ratio).
template <class Floor, class Op> void AgainstFloor(benchmark::State& state, Floor&& floor, Op&& op) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> floors, ops;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        floor();
        const auto t1 = Clock::now();
        op();
        const auto t2 = Clock::now();
        const double f = std::chrono::duration<double>(t1 - t0).count();
        const double o = std::chrono::duration<double>(t2 - t1).count();
        floors.push_back(f);
        ops.push_back(o);
        state.SetIterationTime(o);
    }
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    if (ops.empty()) return;
    const double o = median(ops), f = median(floors);
    state.counters["floor_ms"] = f * 1e3;
    state.counters["median_ms"] = o * 1e3;
    state.counters["ratio"] = f > 0 ? o / f : 0.0;
}

} // namespace tavrin::bench

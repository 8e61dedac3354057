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

// Times floor and op one after the other in every iteration, so both see the same load; the one
// first in even iterations and the other in odd ones, so neither always pays for what the other
// left behind (a journal to commit, a cache to refill). The benchmark's time is op's (register
// with UseManualTime); the counters give the two medians (floor_ms, median_ms) and their ratio.
template <class Floor, class Op> void AgainstFloor(benchmark::State& state, Floor&& floor, Op&& op) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> floors, ops;
    auto time = [](auto& run) {
        const auto t0 = Clock::now();
        run();
        return std::chrono::duration<double>(Clock::now() - t0).count();
    };
    bool floorFirst = true;
    for (auto _ : state) {
        double f = 0, o = 0;
        if (floorFirst) {
            f = time(floor);
            o = time(op);
        } else {
            o = time(op);
            f = time(floor);
        }
        floorFirst = !floorFirst;
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

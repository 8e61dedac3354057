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
#include <random>
#include <span>
#include <string>
#include <vector>

namespace tavrin::bench {

// The collection every benchmark works on, in title order, built once.
const Collection& LargeCollection();
// The same collection as a version-5 file: its bytes, and a copy on disk (removed at exit).
const std::vector<std::uint8_t>& LargeCollectionBytes();
const std::filesystem::path& LargeCollectionFile();
// A scratch folder beside it, removed at exit.
const std::filesystem::path& ScratchFolder();

// Upper-case words of random letters, minLength to maxLength characters in all.
std::string RandomWords(std::mt19937& rng, std::size_t minLength, std::size_t maxLength);

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

// The time this thread has run, user and system, in seconds.
double ThreadCpuSeconds();

// Times floor and op one after the other in every iteration, so both see the same load; the one
// first in even iterations and the other in odd ones, so neither always pays for what the other
// left behind (a journal to commit, a cache to refill). The benchmark's time is op's (register
// with UseManualTime). Counters: the medians of both (floor_ms, median_ms) and their ratio; the
// ratio of the fastest runs (min_ratio), which a busy machine disturbs least; the ratio of the
// median processor times (cpu_ratio), which leaves out the waits for other programs but also
// the waits for the disk.
template <class Floor, class Op> void AgainstFloor(benchmark::State& state, Floor&& floor, Op&& op) {
    using Clock = std::chrono::steady_clock;
    struct Times {
        std::vector<double> wall, cpu;
    } floors, ops;
    auto time = [](auto& run, Times& into) {
        const double c0 = ThreadCpuSeconds();
        const auto t0 = Clock::now();
        run();
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        into.wall.push_back(wall);
        into.cpu.push_back(ThreadCpuSeconds() - c0);
        return wall;
    };
    bool floorFirst = true;
    for (auto _ : state) {
        double o = 0;
        if (floorFirst) {
            time(floor, floors);
            o = time(op, ops);
        } else {
            o = time(op, ops);
            time(floor, floors);
        }
        floorFirst = !floorFirst;
        state.SetIterationTime(o);
    }
    if (ops.wall.empty()) return;
    auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    auto least = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    state.counters["floor_ms"] = median(floors.wall) * 1e3;
    state.counters["median_ms"] = median(ops.wall) * 1e3;
    state.counters["ratio"] = ratio(median(ops.wall), median(floors.wall));
    state.counters["min_ratio"] = ratio(least(ops.wall), least(floors.wall));
    state.counters["cpu_ratio"] = ratio(median(ops.cpu), median(floors.cpu));
}

} // namespace tavrin::bench

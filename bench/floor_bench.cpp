// The floors: what the machine needs at least on the large collection, measured beside the
// benchmarks that compare themselves with them. Reading the file with one read; testing one byte
// of every record in memory order and in master order; writing the file with one write and
// renaming it over an existing one (forced to the disk or not).
//
// floor_bench --write-collection=PATH [--titles=N] writes the large collection file (or its first
// N titles in title order, with every name list) to PATH and exits, for the scripts that time the
// command line on it (bench/ratios.sh).
#include "bench_support.h"

#include "store/files/collection_file.h"
#include "store/title_order.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using namespace tavrin;
using namespace tavrin::bench;

void BM_FloorRead(benchmark::State& state) {
    const auto& file = LargeCollectionFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWholeFile(file));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeCollectionBytes().size()));
}
BENCHMARK(BM_FloorRead)->Unit(benchmark::kMillisecond);

void BM_FloorScanMemoryOrder(benchmark::State& state) {
    const Collection& c = LargeCollection();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanMemoryOrder(c.titles));
}
BENCHMARK(BM_FloorScanMemoryOrder)->Unit(benchmark::kMicrosecond);

void BM_FloorScanMasterOrder(benchmark::State& state) {
    const Collection& c = LargeCollection();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanMasterOrder(c.titles, c.ListeIndex));
}
BENCHMARK(BM_FloorScanMasterOrder)->Unit(benchmark::kMicrosecond);

void BM_FloorWriteAndRename(benchmark::State& state) {
    const auto target = ScratchFolder() / "FLOOR.KXT";
    WriteAndRename(target, LargeCollectionBytes(), false); // renamed over an existing file
    for (auto _ : state)
        WriteAndRename(target, LargeCollectionBytes(), state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeCollectionBytes().size()));
}
BENCHMARK(BM_FloorWriteAndRename)->ArgName("flush")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    constexpr std::string_view writeOption = "--write-collection=", titlesOption = "--titles=";
    std::string path;
    std::size_t titles = TitleCapacity;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(writeOption)) path = arg.substr(writeOption.size());
        if (arg.starts_with(titlesOption)) titles = std::strtoul(argv[i] + titlesOption.size(), nullptr, 10);
    }
    if (!path.empty()) {
        Collection c = LargeCollection();
        c.titles.resize(std::min(titles, c.titles.size()));
        c.ListeIndex = SortedTitleOrder(c.titles);
        if (!WriteFileReplacing(std::filesystem::path(path), SerializeCollection(c))) {
            std::cerr << "cannot write " << path << '\n';
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

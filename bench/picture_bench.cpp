// Decoding a 1920 x 1080 cover picture with our own readers: TGA (plain and run-length) and PCX
// (24-bit planes and 8-bit palette, run-length).
#include "picture_samples.h"
#include "store/pictures/pcx_reader.h"
#include "store/pictures/tga_reader.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tavrin;
using namespace tavrin::test;

// A photograph-like picture: smooth gradients with noise, so runs are short as in real covers.
Picture Cover(bool fewColours) {
    std::uint32_t seed = 7;
    return MakePicture(1920, 1080, [&](int x, int y) {
        seed = seed * 1664525u + 1013904223u;
        if (fewColours) return Rgb((x / 8) % 16 * 16, (y / 8) % 16 * 16, 64);
        const std::uint32_t noise = (seed >> 28) & 7;
        return Rgb((x / 8 + noise) & 255, (y / 5 + noise) & 255, ((x + y) / 12) & 255);
    });
}

void Decode(benchmark::State& state, const std::vector<std::uint8_t>& bytes,
            Picture (*decode)(std::span<const std::uint8_t>)) {
    for (auto _ : state) {
        Picture p = decode(bytes);
        benchmark::DoNotOptimize(p.pixels.data());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_Tga24Plain(benchmark::State& state) {
    static const auto bytes = MakeTga(Cover(false), {2, 24});
    Decode(state, bytes, DecodeTga);
}
BENCHMARK(BM_Tga24Plain)->Unit(benchmark::kMillisecond);

void BM_Tga32RunLength(benchmark::State& state) {
    static const auto bytes = MakeTga(Cover(false), {10, 32});
    Decode(state, bytes, DecodeTga);
}
BENCHMARK(BM_Tga32RunLength)->Unit(benchmark::kMillisecond);

void BM_Pcx24RunLength(benchmark::State& state) {
    static const auto bytes = MakePcx(Cover(false), {8, 3});
    Decode(state, bytes, DecodePcx);
}
BENCHMARK(BM_Pcx24RunLength)->Unit(benchmark::kMillisecond);

void BM_Pcx8PaletteRunLength(benchmark::State& state) {
    static const auto bytes = MakePcx(Cover(true), {8, 1});
    Decode(state, bytes, DecodePcx);
}
BENCHMARK(BM_Pcx8PaletteRunLength)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

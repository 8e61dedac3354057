// Opening and saving a full collection: 65,535 titles and well-filled name lists (about 11 MB).
// Loading is measured from a file the system has cached, which is what reopening a collection
// costs; saving is measured with and without forcing the data to the disk.
#include "store/files/collection_file.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;

struct ListSize {
    ListId list;
    std::size_t count;
};

// A large but plausible collection: thousands of actors, hundreds of publishers.
constexpr ListSize ListSizes[] = {
    {ListId::Director, 3000}, {ListId::Actor, 8000},    {ListId::Composer, 1500},
    {ListId::Box, 600},       {ListId::Publisher, 250}, {ListId::Retailer, 400},
    {ListId::Info, 300},      {ListId::Info2, 200},     {ListId::Media, 2000},
};

std::string Words(std::mt19937& rng, std::size_t minLength, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter(0, 25), space(0, 6);
    std::string text(length(rng), ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = i > 0 && i + 1 < text.size() && text[i - 1] != ' ' && space(rng) == 0
                      ? ' '
                      : static_cast<char>('A' + letter(rng));
    return text;
}

Collection MakeLargeCollection() {
    std::mt19937 rng(1999);
    Collection c;
    for (const auto& [list, count] : ListSizes) {
        auto& names = c.List(list);
        names.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            names.push_back(list == ListId::Media ? Words(rng, 6, 20) + ".JPG" : Words(rng, 8, 30));
    }
    auto pick = [&rng, &c](ListId list) {
        return static_cast<std::uint16_t>(
            std::uniform_int_distribution<std::size_t>(0, c.List(list).size() - 1)(rng));
    };
    auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
    auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };

    c.titles.resize(TitleCapacity);
    for (auto& t : c.titles) {
        t.SetTitle(Words(rng, 3, 45));
        t.SetYear(static_cast<std::uint16_t>(between(1930, 2005)));
        t.SetLength(static_cast<std::uint16_t>(between(75, 220)));
        t.SetAspectRatio(static_cast<std::uint8_t>(between(0, 8)));
        t.SetDirector(chance(95) ? pick(ListId::Director) : NoEntry);
        const int actors = between(0, 5);
        for (int a = 0; a < 5; ++a)
            t.SetU16(ActorOffsets[a], a < actors ? pick(ListId::Actor) : NoEntry);
        t.SetGenre(static_cast<std::uint8_t>(between(0, 32)));
        t.SetGenre2(static_cast<std::uint8_t>(between(0, 32)));
        t.SetMpaa(static_cast<std::uint8_t>(between(0, 9)));
        t.SetFilmRating(static_cast<std::uint8_t>(between(0, 5)));
        t.SetPictureRating(static_cast<std::uint8_t>(between(0, 5)));
        t.SetSoundRating(static_cast<std::uint8_t>(between(0, 5)));
        const auto support = static_cast<std::uint8_t>(between(0, 3));
        t.SetSupport(support);
        t.SetCavSides(static_cast<std::uint8_t>(between(0, 2)));
        t.SetClvSides(static_cast<std::uint8_t>(between(0, 4)));
        t.SetStandard(static_cast<std::uint8_t>(between(0, 2)));
        t.SetSound(static_cast<std::uint8_t>(between(0, 4)));
        t.SetThx(chance(10));
        t.SetAc3(chance(40));
        t.SetDts(chance(15));
        t.SetWidescreen169(chance(50));
        t.SetUsed(chance(20));
        t.SetBox(chance(10) ? pick(ListId::Box) : NoEntry);
        t.SetInfo(chance(20) ? pick(ListId::Info) : NoEntry);
        t.SetInfo2(chance(10) ? pick(ListId::Info2) : NoEntry);
        t.SetComposer(chance(60) ? pick(ListId::Composer) : NoEntry);
        t.SetRetailer(chance(70) ? pick(ListId::Retailer) : NoEntry);
        t.SetPublisher(chance(90) ? pick(ListId::Publisher) : -1);
        for (std::size_t m = 0; m < MediaOffsets.size(); ++m)
            t.SetU16(MediaOffsets[m], m == 0 && chance(30) ? pick(ListId::Media) : NoEntry);
        if (support == 1) {
            t.SetZone(static_cast<std::uint8_t>(between(0, 6)));
            for (int b = 0; b < DvdLanguageByteCount; ++b)
                t.SetU8(92 + b, static_cast<std::uint8_t>(between(0, 255)));
        }
        t.SetReviewNumber(chance(5) ? static_cast<std::uint16_t>(between(1, 3000)) : 0);
        t.SetInterview(chance(20));
        t.SetTrailer(chance(50));
        t.SetCommentary(chance(25));
        t.SetViewings(static_cast<std::uint16_t>(between(0, 30)));
        t.SetPrice(static_cast<float>(between(500, 9999)) / 100.0f);
        t.SetBuyDate(between(33000, 38000));
        t.SetWatchDate(between(33000, 38000));
    }
    c.ListeIndex.resize(c.titles.size());
    for (std::size_t i = 0; i < c.ListeIndex.size(); ++i)
        c.ListeIndex[i] = static_cast<std::uint16_t>(i);
    std::sort(c.ListeIndex.begin(), c.ListeIndex.end(), [&c](std::uint16_t a, std::uint16_t b) {
        return c.titles[a].TitleView() < c.titles[b].TitleView();
    });
    return c;
}

// Built and written once, removed when the program ends.
struct LargeCollection {
    Collection collection = MakeLargeCollection();
    std::vector<std::uint8_t> bytes = SerializeCollection(collection);
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::path file = folder / "LARGE.KXT";
    std::filesystem::path saved = folder / "SAVED.KXT";

    LargeCollection() {
        std::filesystem::create_directories(folder);
        if (!WriteFileReplacing(file, bytes)) throw std::runtime_error("cannot write " + file.string());
    }
    ~LargeCollection() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

const LargeCollection& Large() {
    static const LargeCollection large;
    return large;
}

void SetFileCounters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Large().bytes.size()));
    state.counters["titles"] = static_cast<double>(Large().collection.titles.size());
}

void BM_LoadCollectionFile(benchmark::State& state) {
    const auto& large = Large();
    for (auto _ : state) {
        auto loaded = LoadCollectionFile(large.file, "OTHER");
        if (!loaded) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded);
    }
    SetFileCounters(state);
}

void BM_ParseCollection(benchmark::State& state) {
    const auto& large = Large();
    for (auto _ : state) {
        auto parsed = ParseCollection(large.bytes, "OTHER");
        if (!parsed) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(parsed);
    }
    SetFileCounters(state);
}

void BM_SerializeCollection(benchmark::State& state) {
    const auto& large = Large();
    for (auto _ : state) {
        auto bytes = SerializeCollection(large.collection);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetFileCounters(state);
}

// The whole save: the bytes, a temporary file beside the target, the rename over it. flush: the
// data is forced to the disk first. replace: the target exists (Save over the open file) or not
// (Save As to a new name). Renaming over an existing file makes ext4 start writing the new data
// out (its auto_da_alloc safeguard), which the replace:0 runs leave out.
void BM_SaveCollectionFile(benchmark::State& state) {
    const auto& large = Large();
    const bool flush = state.range(0) != 0;
    const bool replace = state.range(1) != 0;
    for (auto _ : state) {
        if (!replace) {
            state.PauseTiming();
            std::filesystem::remove(large.saved);
            state.ResumeTiming();
        }
        if (!WriteFileReplacing(large.saved, SerializeCollection(large.collection), flush))
            state.SkipWithError("save failed");
    }
    SetFileCounters(state);
}

BENCHMARK(BM_LoadCollectionFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerializeCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCollectionFile)
    ->ArgNames({"flush", "replace"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace

// The text export and the spreadsheet export of a full collection: 65,535 titles with most fields
// set and every detail box ticked, from the collection to the bytes in the file (without forcing
// them to the disk), and the bytes alone.
#include "bench_support.h"
#include "reports/list_export.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

using namespace tavrin;
using bench::RandomWords;

// Every title names a director, five actors, a composer, a publisher, a retailer, a box and two
// informations; DVDs carry random language bytes; flags and extras are set at random.
Collection MakeFullCollection() {
    std::mt19937 rng(2005);
    Collection c;
    const std::pair<ListId, std::size_t> sizes[] = {
        {ListId::Director, 3000}, {ListId::Actor, 8000},   {ListId::Composer, 1500}, {ListId::Box, 600},
        {ListId::Publisher, 250}, {ListId::Retailer, 400}, {ListId::Info, 300},      {ListId::Info2, 200}};
    for (const auto& [list, count] : sizes)
        for (std::size_t i = 0; i < count; ++i)
            c.List(list).push_back(RandomWords(rng, 8, 30));
    auto pick = [&](ListId list) {
        return static_cast<std::uint16_t>(
            std::uniform_int_distribution<std::size_t>(0, c.List(list).size() - 1)(rng));
    };
    auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };

    c.titles.resize(TitleCapacity);
    for (auto& t : c.titles) {
        t.SetTitle(RandomWords(rng, 3, 45));
        t.SetYear(static_cast<std::uint16_t>(between(1930, 2005)));
        t.SetLength(static_cast<std::uint16_t>(between(75, 220)));
        for (std::size_t offset : {54, 67, 109, 68, 69, 70, 71, 72, 73, 74, 75})
            t.SetU8(offset, static_cast<std::uint8_t>(between(0, 4)));
        t.SetDirector(pick(ListId::Director));
        for (std::size_t offset : ActorOffsets)
            t.SetU16(offset, pick(ListId::Actor));
        t.SetComposer(pick(ListId::Composer));
        t.SetBox(pick(ListId::Box));
        t.SetInfo(pick(ListId::Info));
        t.SetInfo2(pick(ListId::Info2));
        t.SetRetailer(pick(ListId::Retailer));
        t.SetPublisher(pick(ListId::Publisher));
        const auto support = static_cast<std::uint8_t>(between(0, 3));
        t.SetSupport(support);
        if (support == 1) {
            t.SetZone(static_cast<std::uint8_t>(between(0, 6)));
            for (int b = 0; b < DvdLanguageByteCount; ++b)
                t.SetU8(92 + b, static_cast<std::uint8_t>(between(0, 255)));
        }
        for (std::size_t flag :
             {76, 77, 78, 79, 80, 81, 82, 87, 104, 105, 108, 133, 134, 135, 136, 137, 138, 139, 140, 157})
            t.SetFlag(flag, between(0, 1) == 1);
        t.SetViewings(static_cast<std::uint16_t>(between(0, 30)));
        t.SetPrice(static_cast<float>(between(500, 9999)) / 100.0f);
        t.SetBuyDate(between(33000, 38000));
        t.SetWatchDate(between(33000, 38000));
    }
    c.ListeIndex.resize(c.titles.size());
    for (std::size_t i = 0; i < c.ListeIndex.size(); ++i)
        c.ListeIndex[i] = static_cast<std::uint16_t>(i);
    return c;
}

struct Fixture {
    Collection collection = MakeFullCollection();
    MessageCatalogue catalogue;
    ReportTexts texts{catalogue};
    DateFormat dates{"dd/MM/yyyy"};
    ReportContext context{collection, texts, dates};
    ExportChoices choices{std::string(DefaultListName), ExportKind::OtherInformations, DetailChoices::All()};
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin-bench-" + std::to_string(std::random_device{}()));

    Fixture() { std::filesystem::create_directories(folder); }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

Fixture& Full() {
    static Fixture fixture;
    return fixture;
}

void TextExportToFile(benchmark::State& state) {
    Fixture& f = Full();
    const auto file = f.folder / "LIST.TXT";
    for (auto _ : state)
        if (!WriteTextExport(file, f.context, f.collection.ListeIndex, f.choices, false))
            state.SkipWithError("cannot write");
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(TextExportToFile)->Unit(benchmark::kMillisecond);

void SpreadsheetExportToFile(benchmark::State& state) {
    Fixture& f = Full();
    const auto file = f.folder / "SHEET.TXT";
    for (auto _ : state)
        if (!WriteSpreadsheetExport(file, f.context, f.collection.ListeIndex, f.choices.details, false))
            state.SkipWithError("cannot write");
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(SpreadsheetExportToFile)->Unit(benchmark::kMillisecond);

// The bytes alone, handed to a receiver that only counts them.
template <bool Spreadsheet> void ExportBytes(benchmark::State& state) {
    Fixture& f = Full();
    std::size_t bytes = 0;
    auto count = [&bytes](std::string_view piece) {
        bytes += piece.size();
        return true;
    };
    for (auto _ : state) {
        if constexpr (Spreadsheet)
            benchmark::DoNotOptimize(
                SpreadsheetExportTo(f.context, f.collection.ListeIndex, f.choices.details, count));
        else
            benchmark::DoNotOptimize(TextExportTo(f.context, f.collection.ListeIndex, f.choices, count));
    }
}
BENCHMARK(ExportBytes<false>)->Name("TextExportBytes")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportBytes<true>)->Name("SpreadsheetExportBytes")->Unit(benchmark::kMillisecond);

} // namespace

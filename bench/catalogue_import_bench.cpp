// "Import From Another Program" at the size collectors bring: a bare Tellico file of 10,000 video
// entries without pictures (titles, years, media, genres, directors, a cast of six, ratings,
// purchase dates and prices, plots), from the file's bytes to the grown collection with every
// review text written.
#include "bench_support.h"
#include "exchange/catalogue_import.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using bench::RandomWords;

constexpr int Entries = 10000;

std::vector<std::uint8_t> MakeTellico() {
    std::mt19937 rng(2026);
    auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    std::vector<std::string> people;
    for (int i = 0; i < 6000; ++i)
        people.push_back(RandomWords(rng, 8, 30));
    constexpr const char* media[] = {"DVD", "VHS", "Blu-ray", "VCD"};
    constexpr const char* genres[] = {"Drama", "Sci-Fi", "Comedy", "Action &amp; Adventure", "Film-Noir"};
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
                      "<collection title=\"Films\" type=\"3\"><fields><field name=\"_default\"/></fields>\n";
    for (int i = 1; i <= Entries; ++i) {
        xml += "<entry id=\"" + std::to_string(i) + "\"><title>" + RandomWords(rng, 3, 40) + "</title>";
        xml += "<medium>" + std::string(media[between(0, 3)]) + "</medium>";
        xml += "<years><year>" + std::to_string(between(1930, 2020)) + "</year></years>";
        xml += "<genres><genre>" + std::string(genres[between(0, 4)]) + "</genre><genre>" +
               genres[between(0, 4)] + "</genre></genres>";
        xml += "<directors><director>" + people[static_cast<std::size_t>(between(0, 5999))] +
               "</director></directors><casts>";
        for (int a = 0; a < 6; ++a)
            xml += "<cast><column>" + people[static_cast<std::size_t>(between(0, 5999))] +
                   "</column><column>Role</column></cast>";
        xml += "</casts><running-time>" + std::to_string(between(70, 200)) + "</running-time>";
        xml += "<rating>" + std::to_string(between(1, 5)) + "</rating>";
        xml += "<pur_date>20" + std::to_string(between(10, 25)) + "-0" + std::to_string(between(1, 9)) +
               "-1" + std::to_string(between(0, 9)) + "</pur_date><pur_price>$" +
               std::to_string(between(5, 40)) + ".99</pur_price>";
        xml += "<plot>" + RandomWords(rng, 60, 300) + "&lt;br/&gt;" + RandomWords(rng, 20, 100) +
               "</plot></entry>\n";
    }
    xml += "</collection></tellico>\n";
    return {xml.begin(), xml.end()};
}

void BM_ImportTellico(benchmark::State& state) {
    static const auto bytes = MakeTellico();
    const auto folder = std::filesystem::temp_directory_path() / "tavrin-catalogue-bench";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "TEXT");
        std::filesystem::create_directories(folder / "MEDIAS");
        state.ResumeTiming();
        const auto source = ReadCatalogueBytes(bytes);
        if (!source || source->titles.size() != Entries) {
            state.SkipWithError("the Tellico file did not read");
            break;
        }
        OpenCollection open;
        CataloguePlan plan = PlanCatalogueImport(open.Data(), *source, {true, 45000, folder});
        const auto done = ImportCatalogue(open, plan, {folder / "TEXT", folder / "MEDIAS"}, {}, std::nullopt);
        if (!done || *done != Entries) {
            state.SkipWithError("the import was refused");
            break;
        }
    }
    std::filesystem::remove_all(folder);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

BENCHMARK(BM_ImportTellico)->Unit(benchmark::kMillisecond);

} // namespace

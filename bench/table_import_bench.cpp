// "Import A Spreadsheet" at its size: a CSV of 65,535 rows of 20 columns (UTF-8, some titles quoted,
// names drawn from lists of thousands so that most repeat, codes as their texts, dates in both
// forms) from the file's bytes to the grown collection; the same with the three actors of a row in
// one Cast cell, as people write them ("A, B, C"); and the reading of the table alone.
#include "bench_support.h"
#include "exchange/table_import.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using bench::RandomWords;

// Semicolons, as spreadsheets write them where the decimal separator is a comma.
constexpr std::string_view Header = "Title;Year;Length;Director;Actor1;Actor2;Actor3;Composer;Publisher;"
                                    "Support;Zone;Standard;Genre;Sound;AspectRatio;Mpaa;FilmRating;Price;"
                                    "BuyDate;Used\r\n";
constexpr std::string_view CastHeader = "Title;Year;Length;Director;Cast;Composer;Publisher;"
                                        "Support;Zone;Standard;Genre;Sound;AspectRatio;Mpaa;FilmRating;Price;"
                                        "BuyDate;Used\r\n";

std::vector<std::string> Names(std::mt19937& rng, std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i)
        // One name in eight has an accent, written as UTF-8.
        names.push_back(RandomWords(rng, 8, 30) + (i % 8 == 0 ? " \xC3\x89" : ""));
    return names;
}

std::vector<std::uint8_t> MakeTable(bool castCell) {
    std::mt19937 rng(2023);
    const auto directors = Names(rng, 3000), actors = Names(rng, 8000), composers = Names(rng, 1500),
               publishers = Names(rng, 200);
    constexpr std::string_view supports[] = {"LD", "DVD", "VHS", "VCD"};
    constexpr std::string_view standards[] = {"NTSC", "PAL", "SECAM"};
    constexpr std::string_view genres[] = {"Action",          "Horror", "Drama",
                                           "Science Fiction", "Comedy", "Western"};
    constexpr std::string_view sounds[] = {"Mono", "Stereo", "Dolby Surround"};
    constexpr std::string_view ratios[] = {"1.33", "1.85", "2.35"};
    constexpr std::string_view ratings[] = {"G", "PG", "R", "13"};
    auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    auto any = [&](const auto& list) -> const auto& {
        return list[between(0, static_cast<int>(std::size(list)) - 1)];
    };

    std::string text(castCell ? CastHeader : Header);
    for (std::size_t row = 0; row < TitleCapacity; ++row) {
        const std::string title = RandomWords(rng, 3, 41);
        if (row % 10 == 0)
            text += "\"" + title + "; \"\"THE\"\"\"";
        else
            text += title;
        const int day = between(1, 28), month = between(1, 12), year = between(1985, 2005);
        std::string date =
            row % 2 ? std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year)
                    : std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
        // Drawn in the order of the columns, so that the table of separate actor columns stays the same.
        std::vector<std::string> cells{std::to_string(between(1930, 2005)), std::to_string(between(75, 220)),
                                       any(directors)};
        cells.insert(cells.end(), {any(actors), any(actors), any(actors)});
        if (castCell) {
            cells[3] += ", " + cells[4] + ", " + cells[5];
            cells.resize(4);
        }
        for (const std::string& cell : cells)
            text += ';' + cell;
        for (const std::string& cell :
             {any(composers), any(publishers), std::string(any(supports)),
              "Zone " + std::to_string(between(1, 6)), std::string(any(standards)), std::string(any(genres)),
              std::string(any(sounds)), std::string(any(ratios)), std::string(any(ratings)),
              std::to_string(between(0, 5)),
              std::to_string(between(5, 99)) + "," + std::to_string(between(10, 99)), date,
              std::string(between(0, 1) ? "Used" : "")}) {
            text += ';';
            text += cell;
        }
        text += "\r\n";
    }
    return {text.begin(), text.end()};
}

const std::vector<std::uint8_t>& TableBytes(bool castCell = false) {
    static const auto bytes = MakeTable(false), castBytes = MakeTable(true);
    return castCell ? castBytes : bytes;
}

// Argument 1: the actors in one Cast cell.
void BM_ImportTable(benchmark::State& state) {
    const auto& bytes = TableBytes(state.range(0) == 1);
    for (auto _ : state) {
        Collection c;
        const auto table = ReadTable(bytes);
        const auto done = ImportTable(c, *table, MapColumns(*table), 40000);
        if (!done || c.Count() != TitleCapacity) {
            std::string why = "import refused";
            if (!done && !done.error().cells.empty()) {
                const RefusedCell& cell = done.error().cells.front();
                why += ": row " + std::to_string(cell.row) + ", " + std::string(table->Cell(0, cell.column)) +
                       " \"" + std::string(table->Cell(cell.row - 1, cell.column)) + "\"";
            }
            state.SkipWithError(why.c_str());
            break;
        }
        benchmark::DoNotOptimize(c.ListeIndex.data());
    }
    state.counters["rows"] = static_cast<double>(TitleCapacity);
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_ReadTable(benchmark::State& state) {
    const auto& bytes = TableBytes();
    for (auto _ : state) {
        const auto table = ReadTable(bytes);
        benchmark::DoNotOptimize(table->RowCount());
    }
}

BENCHMARK(BM_ImportTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

} // namespace

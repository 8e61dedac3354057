// The main window's search over every name and the title table's sort, over the large
// collection: a keystroke in the search field runs the search, a click on a header the sort.
#include "bench_support.h"

#include "app/browse/title_search.h"
#include "app/browse/title_table.h"

#include <string>

namespace {

using namespace tavrin;
using namespace tavrin::bench;

// Words as a user types them: a part of a name the titles use, a part of a title, and a word
// found nowhere, which makes every title's own text be read.
std::string Typed(const Collection& c, int words) {
    const std::string actor = c.List(ListId::Actor)[c.titles[100].Actor1() % c.List(ListId::Actor).size()];
    const std::string title(c.titles[200].TitleView());
    const std::string parts[] = {actor.substr(0, 5), title.substr(0, 4), "QXZQ"};
    std::string typed;
    for (int i = 0; i < words && i < 3; ++i)
        typed += parts[i] + " ";
    return typed;
}

void BM_Search(benchmark::State& state) {
    const Collection& c = LargeCollection();
    const TitleSearch search = SearchWords(Typed(c, static_cast<int>(state.range(0))));
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto kept = SearchTitles(c, c.ListeIndex, search);
        rows = kept.size();
        benchmark::DoNotOptimize(kept.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}
// One word (found in some actors), two (actor and title), three (the last found nowhere).
BENCHMARK(BM_Search)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// A word no name holds: every title's own text is folded and searched.
void BM_SearchTitlesOnly(benchmark::State& state) {
    const Collection& c = LargeCollection();
    const TitleSearch search = SearchWords("QXZQ");
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchTitles(c, c.ListeIndex, search).data());
}
BENCHMARK(BM_SearchTitlesOnly)->Unit(benchmark::kMillisecond);

void BM_SortByColumn(benchmark::State& state) {
    const Collection& c = LargeCollection();
    const MessageCatalogue catalogue;
    const TableSort sort{AllTableColumns[static_cast<std::size_t>(state.range(0))], state.range(1) != 0};
    std::vector<std::uint16_t> list;
    for (auto _ : state) {
        state.PauseTiming();
        list = c.ListeIndex;
        state.ResumeTiming();
        SortTitles(c, list, sort, catalogue);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetLabel(std::string(TableColumnName(sort.column)) + (sort.descending ? " reversed" : ""));
}
BENCHMARK(BM_SortByColumn)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

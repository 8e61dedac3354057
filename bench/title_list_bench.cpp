// Rebuilding the visible title list (or the title table) after a refresh over the large
// collection: the model reset and the view's layout of its rows, as RebuildTitleList does; and a
// keystroke in the search field, the search with the rebuild.
#include "bench_support.h"

#include "app/browse/browse_filters.h"
#include "app/browse/title_search.h"
#include "app/browse/title_table_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QTableView>

#include <memory>

namespace {

using namespace tavrin;
using namespace tavrin::bench;

constexpr DayNumber Today = 46364;

// The list and the table as the main window has them: uniform rows, window-sized views on screen,
// one of them shown.
struct ListUnderTest {
    const Collection& collection = LargeCollection();
    std::vector<std::uint16_t> browse;
    MessageCatalogue catalogue;
    TitleTableModel model{collection, browse, catalogue};
    QListView view;
    QTableView table;

    ListUnderTest() {
        view.setUniformItemSizes(true);
        view.setModel(&model);
        view.resize(330, 330);
        table.setModel(&model);
        table.verticalHeader()->hide();
        table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table.resize(750, 600);
    }
    QAbstractItemView& Shown(bool asTable) {
        view.setVisible(!asTable);
        table.setVisible(asTable);
        return asTable ? static_cast<QAbstractItemView&>(table) : view;
    }
};

// Made and destroyed by main while the application lives: a widget must not outlive it.
std::unique_ptr<ListUnderTest> list;

void Rebuild(ListUnderTest& l, QAbstractItemView& shown) {
    l.model.Refresh();
    shown.doItemsLayout();
    shown.setCurrentIndex(l.model.index(0, 0));
    QApplication::processEvents();
}

void RebuildAfterRefresh(benchmark::State& state, const BrowseFilters& filters, bool asTable = false) {
    ListUnderTest& l = *list;
    QAbstractItemView& shown = l.Shown(asTable);
    l.browse = RefreshBrowseList(l.collection, filters, Today);
    for (auto _ : state)
        Rebuild(l, shown);
    state.counters["rows"] = static_cast<double>(l.browse.size());
}

void BM_RebuildTable(benchmark::State& state) {
    RebuildAfterRefresh(state, NeutralFilters(2026, 0), true);
}
BENCHMARK(BM_RebuildTable)->Unit(benchmark::kMillisecond);

// A letter typed in the search field over every title: the search, then the list or the table
// rebuilt with what it kept.
void BM_SearchKeystroke(benchmark::State& state) {
    ListUnderTest& l = *list;
    QAbstractItemView& shown = l.Shown(state.range(0) != 0);
    const std::vector<std::uint16_t> filtered =
        RefreshBrowseList(l.collection, NeutralFilters(2026, 0), Today);
    const TitleSearch search = SearchWords("E");
    for (auto _ : state) {
        l.browse = SearchTitles(l.collection, filtered, search);
        Rebuild(l, shown);
    }
    state.counters["rows"] = static_cast<double>(l.browse.size());
}
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RebuildEveryTitle(benchmark::State& state) {
    RebuildAfterRefresh(state, NeutralFilters(2026, 0));
}
BENCHMARK(BM_RebuildEveryTitle)->Unit(benchmark::kMillisecond);

void BM_RebuildNarrowedList(benchmark::State& state) {
    BrowseFilters f = NeutralFilters(2026, 0);
    f.TSupport = 1;
    RebuildAfterRefresh(state, f);
}
BENCHMARK(BM_RebuildNarrowedList)->Unit(benchmark::kMillisecond);

// The refresh and the rebuild together, as a filter change runs them.
void BM_RefreshAndRebuild(benchmark::State& state) {
    ListUnderTest& l = *list;
    QAbstractItemView& shown = l.Shown(false);
    const BrowseFilters f = NeutralFilters(2026, 0);
    for (auto _ : state) {
        l.browse = RefreshBrowseList(l.collection, f, Today);
        Rebuild(l, shown);
    }
}
BENCHMARK(BM_RefreshAndRebuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    list = std::make_unique<ListUnderTest>();
    benchmark::RunSpecifiedBenchmarks();
    list.reset();
    benchmark::Shutdown();
    return 0;
}

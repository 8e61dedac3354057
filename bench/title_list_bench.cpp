// Rebuilding the visible title list after a refresh over a full collection: the model reset and
// the view's layout of its rows, as RebuildTitleList does.
#include "app/browse/browse_filters.h"
#include "app/browse/title_list_model.h"
#include "store/title_order.h"

#include <QApplication>
#include <QListView>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using namespace tavrin;

constexpr DayNumber Today = 46364;

Collection FullCollection() {
    Collection c;
    std::mt19937 rng(11);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    c.titles.reserve(TitleCapacity);
    for (std::size_t i = 0; i < TitleCapacity; ++i) {
        TitleRecord t;
        std::string title;
        for (int k = 0, len = 4 + pick(40); k < len; ++k)
            title.push_back(static_cast<char>('A' + pick(26)));
        t.SetTitle(title);
        t.SetYear(static_cast<std::uint16_t>(1930 + pick(95)));
        t.SetSupport(static_cast<std::uint8_t>(pick(4)));
        t.SetBuyDate(38000 + pick(8000));
        c.titles.push_back(t);
    }
    c.ListeIndex = SortedTitleOrder(c.titles);
    return c;
}

// The list as the main window has it: uniform rows, a window-sized view on screen.
struct ListUnderTest {
    Collection collection = FullCollection();
    std::vector<std::uint16_t> browse;
    TitleListModel model{collection, browse};
    QListView view;

    ListUnderTest() {
        view.setUniformItemSizes(true);
        view.setModel(&model);
        view.resize(330, 330);
        view.show();
    }
};

ListUnderTest& List() {
    static ListUnderTest list;
    return list;
}

void RebuildAfterRefresh(benchmark::State& state, const BrowseFilters& filters) {
    ListUnderTest& l = List();
    l.browse = RefreshBrowseList(l.collection, filters, Today);
    for (auto _ : state) {
        l.model.Refresh();
        l.view.doItemsLayout();
        l.view.setCurrentIndex(l.model.index(0, 0));
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(l.browse.size());
}

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
    ListUnderTest& l = List();
    const BrowseFilters f = NeutralFilters(2026, 0);
    for (auto _ : state) {
        l.browse = RefreshBrowseList(l.collection, f, Today);
        l.model.Refresh();
        l.view.doItemsLayout();
        l.view.setCurrentIndex(l.model.index(0, 0));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RefreshAndRebuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Rebuilding the visible title list after a refresh over the large collection: the model reset
// and the view's layout of its rows, as RebuildTitleList does.
#include "bench_support.h"

#include "app/browse/browse_filters.h"
#include "app/browse/title_list_widget.h"

#include <QApplication>
#include <QListView>

#include <memory>

namespace {

using namespace tavrin;
using namespace tavrin::bench;

constexpr DayNumber Today = 46364;

// The list as the main window has it: uniform rows, a window-sized view on screen.
struct ListUnderTest {
    const Collection& collection = LargeCollection();
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

// Made and destroyed by main while the application lives: a widget must not outlive it.
std::unique_ptr<ListUnderTest> list;

void Rebuild(ListUnderTest& l) {
    l.model.Refresh();
    l.view.doItemsLayout();
    l.view.setCurrentIndex(l.model.index(0, 0));
    QApplication::processEvents();
}

void RebuildAfterRefresh(benchmark::State& state, const BrowseFilters& filters) {
    ListUnderTest& l = *list;
    l.browse = RefreshBrowseList(l.collection, filters, Today);
    for (auto _ : state)
        Rebuild(l);
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
    ListUnderTest& l = *list;
    const BrowseFilters f = NeutralFilters(2026, 0);
    for (auto _ : state) {
        l.browse = RefreshBrowseList(l.collection, f, Today);
        Rebuild(l);
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

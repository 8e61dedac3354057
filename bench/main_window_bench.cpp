// From a change to the list that shows it, on the main window over the large collection: the
// change made the way its command makes it, then the events the view runs for its layout. The
// window follows every change itself (FollowChange); these are the times a user waits for.
#include "bench_support.h"

#include "app/main_window.h"
#include "editing/collection_changes.h"
#include "editing/title_editor_model.h"
#include "store/title_exchange.h"

#include <QApplication>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using namespace tavrin;
using namespace tavrin::bench;

// ---- The commands, as their handlers make the change ----

void DeleteListed(TLDF1& w, std::size_t r) { // EffaceClick, once the user said yes
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DeleteCurrentTitle(w.Document(), r);
    QApplication::restoreOverrideCursor();
}

std::size_t Import(TLDF1& w, const TitleFileContents& file) { // Import1Click
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto imported = ImportTitle(w.Document(), file, w.Today(), w.CurrentRecord());
    QApplication::restoreOverrideCursor();
    if (!imported) throw std::runtime_error("import refused");
    return *imported;
}

std::size_t Add(TLDF1& w, const TitleRecord& t) { // the editor's save, then TitleEditorClosed
    const auto added = AddTitle(w.Document(), t, ChangeKind::AddTitle, w.CurrentRecord());
    if (!added) throw std::runtime_error("add refused");
    return *added;
}

// Undo1Click and Redo1Click, on what the window's own history holds.
void UndoStep(TLDF1& w) {
    w.Undo1Click();
}
void RedoStep(TLDF1& w) {
    w.Redo1Click();
}

// ---- The window ----

struct WindowUnderTest {
    TLDF1 window{
        StartOptions{{}, QString::fromStdString((ScratchFolder() / "tavrin.ini").string()), nullptr}};
    QToolButton* watchedToday = nullptr;

    WindowUnderTest() {
        window.show();
        QApplication::processEvents(); // the first activation
        window.LoadFromCommandLine(QString::fromStdString(LargeCollectionFile().string()));
        QApplication::processEvents();
        if (window.Data().Count() != LargeCollection().Count()) throw std::runtime_error("not opened");
        // The recovery copy (the whole collection written every two minutes) must not land
        // inside a timed change.
        for (QTimer* timer : window.findChildren<QTimer*>())
            if (timer->interval() >= 60'000) timer->stop();
        watchedToday = window.findChild<QToolButton*>(QStringLiteral("SpeedButton9"));
        if (!watchedToday) throw std::runtime_error("no Watched Today button");
    }

    // A title from the middle of the list, selected and shown.
    std::size_t SelectMiddle() {
        const auto& listed = window.ListeIndexTri();
        window.SelectRecord(listed[listed.size() / 2]);
        QApplication::processEvents();
        return *window.CurrentRecord();
    }
};

// Made and destroyed by main while the application lives: a widget must not outlive it.
std::unique_ptr<WindowUnderTest> shown;

// Times what the loop body hands it; the benchmark's time is that (UseManualTime), the median of
// the iterations a counter.
class Timing {
  public:
    explicit Timing(benchmark::State& state) : state_(state) {}
    ~Timing() {
        if (times_.empty()) return;
        std::sort(times_.begin(), times_.end());
        state_.counters["median_ms"] = times_[times_.size() / 2] * 1e3;
    }
    template <class Op> void Time(Op&& op) {
        const auto t0 = std::chrono::steady_clock::now();
        op();
        QApplication::processEvents();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        times_.push_back(s);
        state_.SetIterationTime(s);
    }

  private:
    benchmark::State& state_;
    std::vector<double> times_;
};

// Delete Title of a listed title (the filters neutral: the whole list refiltered), then Undo
// outside the time so that every iteration starts from the same collection.
void BM_DeleteTitle(benchmark::State& state) {
    WindowUnderTest& s = *shown;
    Timing timing(state);
    for (auto _ : state) {
        const std::size_t r = s.SelectMiddle();
        timing.Time([&] { DeleteListed(s.window, r); });
        if (s.window.Data().Count() != TitleCapacity - 1 ||
            s.window.ListeIndexTri().size() != TitleCapacity - 1) {
            state.SkipWithError("the title is still listed");
            break;
        }
        UndoStep(s.window);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DeleteTitle)->UseManualTime()->Unit(benchmark::kMillisecond);

// Watched Today on the INFORMATION page: one more viewing of the selected title.
void BM_WatchedToday(benchmark::State& state) {
    WindowUnderTest& s = *shown;
    Timing timing(state);
    for (auto _ : state) {
        const std::size_t r = s.SelectMiddle();
        const auto viewings = s.window.Data().RecordAt(r).Viewings();
        timing.Time([&] { s.watchedToday->click(); });
        if (s.window.Data().RecordAt(r).Viewings() != viewings + 1) {
            state.SkipWithError("no viewing added");
            break;
        }
        UndoStep(s.window);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WatchedToday)->UseManualTime()->Unit(benchmark::kMillisecond);

// The collection is full: one title goes for the time of the benchmark, to make room.
template <class Change> void WithRoom(benchmark::State& state, Change&& change) {
    WindowUnderTest& s = *shown;
    DeleteListed(s.window, s.window.ListeIndexTri().back());
    QApplication::processEvents();
    {
        Timing timing(state);
        for (auto _ : state) {
            s.SelectMiddle();
            timing.Time([&] { change(s.window); });
            if (s.window.ListeIndexTri().size() != TitleCapacity) {
                state.SkipWithError("the new title is not listed");
                break;
            }
            UndoStep(s.window);
            QApplication::processEvents();
        }
    }
    UndoStep(s.window);
    QApplication::processEvents();
}

// Import A Title of a title file exported from the collection.
void BM_ImportTitle(benchmark::State& state) {
    Collection source = LargeCollection();
    const auto file = ParseTitleFile(ExportTitle(source, 12345));
    if (!file) throw std::runtime_error("title file");
    WithRoom(state, [&](TLDF1& w) { Import(w, *file); });
}
BENCHMARK(BM_ImportTitle)->UseManualTime()->Unit(benchmark::kMillisecond);

// A new title saved by the title editor.
void BM_AddTitle(benchmark::State& state) {
    TitleRecord t = LargeCollection().RecordAt(2000);
    t.SetTitle("MIDDLE OF THE ALPHABET");
    WithRoom(state, [&](TLDF1& w) { Add(w, t); });
}
BENCHMARK(BM_AddTitle)->UseManualTime()->Unit(benchmark::kMillisecond);

// Undo then Redo of one step (each with the list rebuilt from every title), the step made once by
// `make` and taken back at the end.
template <class Make> void UndoRedo(benchmark::State& state, Make&& make) {
    WindowUnderTest& s = *shown;
    make(s);
    QApplication::processEvents();
    {
        Timing timing(state);
        for (auto _ : state)
            timing.Time([&] {
                UndoStep(s.window);
                QApplication::processEvents();
                RedoStep(s.window);
            });
    }
    UndoStep(s.window);
    QApplication::processEvents();
}

// A Watched Today ...
void BM_UndoRedoWatched(benchmark::State& state) {
    UndoRedo(state, [](WindowUnderTest& s) {
        s.SelectMiddle();
        s.watchedToday->click();
    });
}
BENCHMARK(BM_UndoRedoWatched)->UseManualTime()->Unit(benchmark::kMillisecond);

// ... and a Delete Title, which takes the title out of the records and puts it back.
void BM_UndoRedoDelete(benchmark::State& state) {
    UndoRedo(state, [](WindowUnderTest& s) { DeleteListed(s.window, s.SelectMiddle()); });
}
BENCHMARK(BM_UndoRedoDelete)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The window's folders, settings and recovery copies in the scratch folder, not the user's.
    const auto scratch = QByteArray::fromStdString(ScratchFolder().string());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TAVRIN_HOME", scratch + "/home");
    qputenv("XDG_DATA_HOME", scratch + "/data");
    qputenv("XDG_CONFIG_HOME", scratch + "/config");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    shown = std::make_unique<WindowUnderTest>();
    benchmark::RunSpecifiedBenchmarks();
    shown.reset();
    benchmark::Shutdown();
    return 0;
}

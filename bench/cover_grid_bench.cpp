// The cover grid on the main window over the large collection, every title with a picture of
// its own in MEDIAS: the switch from the title list to the grid until its first screen of covers
// is drawn (thumbnails on disk for that screen, none yet in memory), and the longest the GUI
// thread goes without serving its events (a 1 ms timer's longest gap) while the covers fill in
// and while the grid is scrolled from top to bottom; with the memory the grid takes above the
// list view's.
#include "bench_support.h"

#include "app/browse/cover_grid_model.h"
#include "app/browse/cover_grid_widget.h"
#include "app/browse/covers.h"
#include "app/main_window.h"
#include "editing/media_files.h"
#include "platform/text.h"
#include "platform/thumbnail_cache.h"
#include "store/files/collection_file.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using namespace tavrin::bench;
using Clock = std::chrono::steady_clock;

// Distinct pictures; every title's file is a link to one of them, under a name of its own (the
// cache knows a file by its path, so each is decoded and cached on its own).
constexpr int DistinctPictures = 256;

std::filesystem::path Home() {
    return ScratchFolder() / "home";
}

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

std::string CoverName(std::size_t entry) {
    char name[16];
    std::snprintf(name, sizeof name, "C%05zu.JPG", entry);
    return name;
}

// The large collection with every title's first multimedia file a picture: as many names as the
// list holds (65,001), the titles beyond sharing the first ones'.
const std::filesystem::path& CoveredCollectionFile() {
    static const std::filesystem::path file = [] {
        Collection c = LargeCollection();
        NameList& names = c.List(ListId::Media);
        names.clear();
        for (std::size_t e = 0; e < NameListCapacity; ++e)
            names.push_back(CoverName(e));
        for (std::size_t r = 0; r < c.Count(); ++r) {
            c.titles[r].SetU16(MediaOffsets[0], static_cast<std::uint16_t>(r % NameListCapacity));
            for (std::size_t m = 1; m < MediaOffsets.size(); ++m)
                c.titles[r].SetU16(MediaOffsets[m], NoEntry);
        }
        const auto medias = Home() / "MEDIAS";
        std::filesystem::create_directories(medias);
        for (int p = 0; p < DistinctPictures; ++p) {
            QImage picture(300, 420, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(p * 359 / DistinctPictures, 160, 200));
            for (int y = 0; y < picture.height(); y += 20)
                for (int x = 0; x < picture.width(); ++x)
                    picture.setPixel(x, y, 0xFF202020u);
            if (!picture.save(QStringFromPath(medias / ("P" + std::to_string(p) + ".jpg")), "JPG", 85))
                throw std::runtime_error("cannot write a picture");
        }
        for (std::size_t e = 0; e < names.size(); ++e)
            std::filesystem::create_hard_link(medias / ("P" + std::to_string(e % DistinctPictures) + ".jpg"),
                                              medias / names[e]);
        const auto path = ScratchFolder() / "COVERS.KXT";
        if (!SaveCollection(c, path)) throw std::runtime_error("cannot write the collection");
        return path;
    }();
    return file;
}

// The longest gap between two turns of a 1 ms timer: how long the GUI thread was busy at most.
class StallWatch {
  public:
    StallWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const auto now = Clock::now();
            longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
            last_ = now;
        });
    }
    void Start() {
        longest_ = 0;
        last_ = Clock::now();
        timer_.start();
    }
    double Stop() {
        timer_.stop();
        return longest_;
    }

  private:
    QTimer timer_;
    Clock::time_point last_;
    double longest_ = 0;
};

struct Window {
    TLDF1 window{
        StartOptions{{}, QString::fromStdString((ScratchFolder() / "tavrin.ini").string()), nullptr}};
    CoverGridWidget* grid = nullptr;
    ThumbnailCache* thumbnails = nullptr;

    Window() {
        window.resize(1280, 800);
        window.show();
        QApplication::processEvents();
        window.LoadFromCommandLine(QStringFromPath(CoveredCollectionFile()));
        QApplication::processEvents();
        if (window.Data().Count() != TitleCapacity) throw std::runtime_error("not opened");
        for (QTimer* timer : window.findChildren<QTimer*>())
            if (timer->interval() >= 60'000) timer->stop();
        grid = window.findChild<CoverGridWidget*>(QStringLiteral("CoverGrid"));
        thumbnails = window.findChild<ThumbnailCache*>(QStringLiteral("Thumbnails"));
        if (!grid || !thumbnails) throw std::runtime_error("no cover grid");
    }

    void ShowGrid() { window.findChild<QAction*>(QStringLiteral("CoverGrid1"))->trigger(); }

    // The rows whose cells the viewport shows.
    std::vector<int> VisibleRows() const {
        std::vector<int> rows;
        const QRect area = grid->viewport()->rect();
        const QModelIndex first = grid->indexAt(QPoint(1, 1));
        for (int row = first.isValid() ? first.row() : 0; row < grid->model()->rowCount(); ++row) {
            const QRect cell = grid->visualRect(grid->model()->index(row, 0));
            if (cell.top() > area.bottom()) break;
            if (cell.intersects(area)) rows.push_back(row);
        }
        return rows;
    }

    bool ScreenFilled() const {
        for (const int row : VisibleRows())
            if (grid->model()->index(row, 0).data(CoverGridModel::CoverRole).toInt() ==
                static_cast<int>(CoverGridModel::CoverState::Waiting))
                return false;
        return true;
    }

    // Events served until the shown covers are all decoded and drawn.
    void WaitForScreen() {
        while (!ScreenFilled())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QApplication::processEvents();
    }
};

// The thumbnails of the first screens, on disk: the cache as an earlier run leaves it.
void WarmFirstScreens(Window& w) {
    const auto medias = Home() / "MEDIAS";
    const auto& listed = w.window.ListeIndexTri();
    for (std::size_t row = 0; row < std::min<std::size_t>(listed.size(), 400); ++row)
        if (const auto entry = CoverEntry(w.window.Data(), listed[row]))
            CachedThumbnail(ThumbnailRoot(), QStringFromPath(medias / *entry),
                            FolderForSide(DefaultCoverSide));
}

// Made and destroyed by main while the application lives.
std::unique_ptr<Window> shown;

// From the list view: the grid shown, filled and scrolled to the end, a jump every 16 ms as a
// dragged scroll bar gives; the memory above the list view's once it is done.
void BM_ScrollTopToBottom(benchmark::State& state) {
    Window& w = *shown;
    WarmFirstScreens(w);
    const double listMegabytes = ResidentMegabytes();
    StallWatch watch;
    for (auto _ : state) {
        w.ShowGrid();
        watch.Start();
        w.WaitForScreen();
        state.counters["fill_stall_ms"] = watch.Stop();

        QScrollBar* bar = w.grid->verticalScrollBar();
        const int steps = static_cast<int>(state.range(0));
        int step = 0;
        QEventLoop loop;
        QTimer scroller;
        scroller.setInterval(16);
        QObject::connect(&scroller, &QTimer::timeout, [&] {
            bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * ++step / steps));
            if (step == steps) loop.quit();
        });
        const auto t0 = Clock::now();
        watch.Start();
        scroller.start();
        loop.exec();
        w.WaitForScreen();
        state.counters["scroll_stall_ms"] = watch.Stop();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    w.thumbnails->WaitForDone();
    state.counters["memory_above_list_mb"] = ResidentMegabytes() - listMegabytes;
    state.counters["cover_memory_mb"] = static_cast<double>(w.thumbnails->MemoryUsed()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ScrollTopToBottom)->Arg(600)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// VIEW "Cover Grid" on a window just opened in the list view, until the first screen's covers
// are drawn; the longest stall after the switch while they fill in.
void BM_SwitchToGrid(benchmark::State& state) {
    std::vector<double> times;
    StallWatch watch;
    double stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The window before lets its collection go first: a second window would find it locked.
        shown.reset();
        shown = std::make_unique<Window>();
        WarmFirstScreens(*shown);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        shown->ShowGrid();
        watch.Start();
        shown->WaitForScreen();
        stall = std::max(stall, watch.Stop());
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        times.push_back(s);
        state.SetIterationTime(s);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1e3;
    state.counters["fill_stall_ms"] = stall;
}
BENCHMARK(BM_SwitchToGrid)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The window's folders, settings and thumbnails in the scratch folder, not the user's.
    const auto scratch = QByteArray::fromStdString(ScratchFolder().string());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TAVRIN_HOME", scratch + "/home");
    qputenv("XDG_DATA_HOME", scratch + "/data");
    qputenv("XDG_CONFIG_HOME", scratch + "/config");
    qputenv("XDG_CACHE_HOME", scratch + "/cache");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CoveredCollectionFile();
    shown = std::make_unique<Window>();
    benchmark::RunSpecifiedBenchmarks();
    shown.reset();
    benchmark::Shutdown();
    return 0;
}

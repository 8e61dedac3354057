// Showing a 1920 x 1080 JPEG on the MULTIMEDIA page, from the slot button's click to the scaled
// picture in the panel: decoding, scaling and the repaint.
#include "app/main_window.h"
#include "platform/text.h"
#include "store/files/collection_file.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace tavrin;

struct PageUnderTest {
    QTemporaryDir home;
    std::unique_ptr<TLDF1> window;

    PageUnderTest() {
        qputenv("TAVRIN_HOME", home.path().toUtf8());
        StartOptions options;
        options.settingsFile = home.filePath(QStringLiteral("settings.ini"));
        window = std::make_unique<TLDF1>(std::move(options));
        QImage photo(1920, 1080, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x / 8 % 256, y / 5 % 256, (x + y) / 12 % 256));
        photo.save(QDir(home.path()).filePath(QStringLiteral("MEDIAS/PHOTO.JPG")), "JPG", 90);
        Collection c;
        c.List(ListId::Media) = {"PHOTO.JPG"};
        TitleRecord t;
        t.SetTitle("ALIEN");
        for (std::size_t offset : MediaOffsets)
            t.SetU16(offset, 0);
        AppendTitle(c, t);
        const QString file = QDir(home.path()).filePath(QStringLiteral("PHOTO.KXT"));
        if (!SaveCollection(c, PathFromQString(file))) std::abort();
        window->LoadFromCommandLine(file);
        window->resize(900, 640);
        window->show();
        window->SelectRecord(0);
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("Onglet"));
        pages->setCurrentWidget(window->findChild<QWidget*>(QStringLiteral("MEDIAS")));
        QApplication::processEvents();
    }
};

void BM_ShowJpgInPanel(benchmark::State& state) {
    // Never destroyed: it must not outlive the application object at exit.
    static PageUnderTest& page = *new PageUnderTest;
    auto* slot1 = page.window->findChild<QToolButton*>(QStringLiteral("BMedia1"));
    auto* slot2 = page.window->findChild<QToolButton*>(QStringLiteral("BMedia2"));
    bool first = true;
    for (auto _ : state) {
        // Alternating slots holding the same file: each click decodes and scales afresh.
        (first ? slot1 : slot2)->click();
        first = !first;
        page.window->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ShowJpgInPanel)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

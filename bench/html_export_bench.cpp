// The HTML export of a full list: 65,535 titles with every detail box ticked, cover pictures and
// review texts, written as one page and as one page per title (65,536 files, 65,537 in frames),
// into an empty folder and over the files of the same export before. From the collection to the
// files on disk; the files are not forced to the disk.
#include "bench_support.h"
#include "reports/html_export.h"
#include "store/review_files.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tavrin;
using bench::RandomWords;

struct LargeExport {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("tavrin-html-bench-" + std::to_string(std::random_device{}()));
    HtmlFolders folders{folder / "MEDIAS", folder / "TEXT"};
    Collection collection;
    std::vector<std::uint16_t> browse;

    LargeExport() {
        std::filesystem::create_directories(folders.medias);
        std::filesystem::create_directories(folders.text);
        std::filesystem::create_directories(folder / "single");
        std::mt19937 rng(2001);
        const auto between = [&rng](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(rng);
        };
        const auto chance = [&](int percent) { return between(0, 99) < percent; };
        for (ListId list : AllLists) {
            auto& names = collection.List(list);
            const int count = list == ListId::Publisher ? 250 : list == ListId::Actor ? 8000 : 2000;
            for (int i = 0; i < count; ++i)
                names.push_back(list == ListId::Media ? "COVER " + std::to_string(i) + ".JPG"
                                                      : RandomWords(rng, 8, 30));
        }
        // Half of the multimedia entries have their picture in the medias folder.
        for (int i = 0; i < 1000; ++i)
            std::ofstream(folders.medias / ("COVER " + std::to_string(i) + ".JPG")) << "jpg";
        const auto pick = [&](ListId list) {
            return static_cast<std::uint16_t>(between(0, static_cast<int>(collection.List(list).size()) - 1));
        };
        collection.titles.resize(TitleCapacity);
        for (std::size_t r = 0; r < collection.titles.size(); ++r) {
            TitleRecord& t = collection.titles[r];
            t.SetTitle(RandomWords(rng, 3, 45));
            t.SetYear(static_cast<std::uint16_t>(between(1930, 2005)));
            t.SetLength(static_cast<std::uint16_t>(between(75, 220)));
            t.SetAspectRatio(static_cast<std::uint8_t>(between(0, 8)));
            t.SetDirector(pick(ListId::Director));
            for (std::size_t a = 0; a < ActorOffsets.size(); ++a)
                t.SetU16(ActorOffsets[a], chance(80) ? pick(ListId::Actor) : NoEntry);
            t.SetGenre(static_cast<std::uint8_t>(between(0, 32)));
            t.SetGenre2(static_cast<std::uint8_t>(between(0, 32)));
            t.SetMpaa(static_cast<std::uint8_t>(between(0, 9)));
            t.SetSupport(static_cast<std::uint8_t>(between(0, 3)));
            t.SetZone(static_cast<std::uint8_t>(between(0, 6)));
            for (int b = 0; b < DvdLanguageByteCount; ++b)
                t.SetU8(92 + b, static_cast<std::uint8_t>(between(0, 255)));
            t.SetStandard(static_cast<std::uint8_t>(between(0, 2)));
            t.SetSound(static_cast<std::uint8_t>(between(0, 4)));
            t.SetThx(chance(20));
            t.SetAc3(chance(40));
            t.SetBox(chance(20) ? pick(ListId::Box) : NoEntry);
            t.SetInfo(chance(30) ? pick(ListId::Info) : NoEntry);
            t.SetInfo2(chance(20) ? pick(ListId::Info2) : NoEntry);
            t.SetComposer(pick(ListId::Composer));
            t.SetRetailer(pick(ListId::Retailer));
            t.SetPublisher(pick(ListId::Publisher));
            t.SetMedia1(pick(ListId::Media));
            for (std::size_t m = 1; m < MediaOffsets.size(); ++m)
                t.SetU16(MediaOffsets[m], NoEntry);
            t.SetTrailer(chance(50));
            t.SetCommentary(chance(30));
            t.SetViewings(static_cast<std::uint16_t>(between(0, 30)));
            t.SetPrice(static_cast<float>(between(500, 9999)) / 100.0f);
            t.SetBuyDate(between(33000, 38000));
            t.SetWatchDate(between(33000, 38000));
            // One title in twenty has a review text of a few hundred bytes.
            if (r % 20 == 0) {
                t.SetReviewNumber(1);
                std::ofstream(ReviewFilePath(folders.text, t.TitleView(), 1), std::ios::binary)
                    << std::string(300, 'x') << "\r\n\r\n"
                    << std::string(200, 'y');
            }
        }
        browse.resize(collection.titles.size());
        for (std::size_t i = 0; i < browse.size(); ++i)
            browse[i] = static_cast<std::uint16_t>(i);
    }
    ~LargeExport() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

const LargeExport& Large() {
    static const LargeExport large;
    return large;
}

struct Export {
    const LargeExport& large = Large();
    const ReportTexts texts{MessageCatalogue{}};
    const DateFormat dates{"dd/MM/yyyy"};
    const ReportContext context{large.collection, texts, dates};
    ExportChoices choices{std::string(DefaultListName), ExportKind::OtherInformations, DetailChoices::All()};
    HtmlOptions options;

    Export(bool multiPage, bool frames) {
        options.multiPage = multiPage;
        options.frames = frames;
        options.pictures = true;
    }
    // Writes LIST.htm and the pages beside it; the number of files written.
    std::size_t Into(benchmark::State& state, const std::filesystem::path& folder) const {
        const auto result = WriteHtmlExport(folder / "LIST.htm", context, large.browse, choices, options,
                                            large.folders, false);
        if (!result.failures.empty()) state.SkipWithError("a page could not be written");
        return result.written.size();
    }
};

void BM_HtmlSinglePage(benchmark::State& state) {
    const Export run(false, false);
    std::size_t files = 0;
    for (auto _ : state)
        files = run.Into(state, Large().folder / "single");
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_HtmlSinglePage)->Unit(benchmark::kMillisecond);

// A page for each title (and the frame set with the index, for Arg 1), each time into a new
// folder. The folders are removed only at the end: the file system is still freeing the blocks of
// 65,536 files removed a moment before, which would slow the next run down.
void BM_HtmlPagesIntoEmptyFolder(benchmark::State& state) {
    const Export run(true, state.range(0) != 0);
    std::size_t files = 0, round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto folder =
            Large().folder / ("empty" + std::to_string(state.range(0)) + "-" + std::to_string(round++));
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
        files = run.Into(state, folder);
    }
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_HtmlPagesIntoEmptyFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same export again over the files of the one before.
void BM_HtmlPagesOverPreviousExport(benchmark::State& state) {
    const Export run(true, state.range(0) != 0);
    const auto folder = Large().folder / ("previous" + std::to_string(state.range(0)));
    std::filesystem::create_directories(folder);
    std::size_t files = run.Into(state, folder);
    for (auto _ : state)
        files = run.Into(state, folder);
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_HtmlPagesOverPreviousExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

// The Tellico export of the large collection: 65,535 titles, a cover for every multimedia entry a
// title shows first (about 20,000 titles, 2,000 pictures) and a review text for one title in
// twenty, from the collection to the bytes of the .tc file; and the XML alone.
#include "bench_support.h"
#include "exchange/tellico_export.h"
#include "store/review_files.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

namespace {

using namespace tavrin;

// A JPEG's header (40 by 30 pixels) and filler bytes: what the export reads of a cover is its
// header and its bytes.
std::vector<std::uint8_t> FakeJpeg(std::mt19937& rng, std::size_t size) {
    std::vector<std::uint8_t> bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 30, 0x00, 40, 3};
    std::uniform_int_distribution<int> byte(0, 255);
    while (bytes.size() < size)
        bytes.push_back(static_cast<std::uint8_t>(byte(rng)));
    return bytes;
}

void Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Folders {
    std::filesystem::path text = bench::ScratchFolder() / "TEXT";
    std::filesystem::path medias = bench::ScratchFolder() / "MEDIAS";

    Folders() {
        std::filesystem::create_directories(text);
        std::filesystem::create_directories(medias);
        std::mt19937 rng(31);
        const Collection& c = bench::LargeCollection();
        for (const std::string& name : c.List(ListId::Media))
            Write(medias / name, FakeJpeg(rng, 16 * 1024));
        const std::string review(600, 'r');
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(review.data()), review.size());
        for (const TitleRecord& t : c.titles)
            if (t.ReviewNumber() != 0) Write(ReviewFilePath(text, t.TitleView(), t.ReviewNumber()), bytes);
    }
};

TellicoExportInput Input() {
    static const Folders folders;
    const Collection& c = bench::LargeCollection();
    TellicoExportInput input;
    input.collection = &c;
    input.records = c.ListeIndex;
    input.textFolder = folders.text;
    input.mediasFolder = folders.medias;
    return input;
}

void BM_TellicoZip(benchmark::State& state) {
    const TellicoExportInput input = Input();
    std::size_t size = 0;
    for (auto _ : state)
        size = TellicoZip(input).size();
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_TellicoZip)->Unit(benchmark::kMillisecond);

void BM_TellicoXml(benchmark::State& state) {
    const TellicoExportInput input = Input();
    std::size_t size = 0;
    for (auto _ : state)
        size = TellicoXml(input).xml.size();
    state.counters["xml_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_TellicoXml)->Unit(benchmark::kMillisecond);

} // namespace

// The printed list into a PDF file, as tavrin-cli print writes it: the first 10,000 titles and the
// whole large collection (65,535) with every detail box ticked, from the collection to the file on
// disk. Peak memory is the command's: /usr/bin/time -v tavrin-cli print ... --details all.
#include "bench_support.h"
#include "platform/printer.h"
#include "reports/print_layout.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QString>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <span>

namespace {

using namespace tavrin;

void PrintToPdf(benchmark::State& state) {
    const Collection& collection = bench::LargeCollection();
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::span<const std::uint16_t> browse(collection.ListeIndex.data(), count);
    const MessageCatalogue catalogue;
    const ReportTexts texts(catalogue);
    const DateFormat dates("dd/MM/yyyy");
    const ReportContext context{collection, texts, dates};
    const ExportChoices choices{std::string(DefaultListName), ExportKind::OtherInformations,
                                DetailChoices::All()};
    const auto file = bench::ScratchFolder() / "LIST.pdf";
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file.string()));
        const bool printed = PrintPages(printer, [&](const PrinterMeasures& measures, PrintedLineSink& sink) {
            return LayOutPrintedList(context, browse, choices, measures, sink);
        });
        if (!printed) state.SkipWithError("the PDF file could not be written");
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}
BENCHMARK(PrintToPdf)->Arg(10'000)->Arg(65'535)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    // Fonts and printing without a display, as tavrin-cli print has them.
    int qtArgc = 3;
    char name[] = "print_bench", platformOption[] = "-platform", platform[] = "offscreen";
    char* qtArgv[] = {name, platformOption, platform, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

#include "cli/print.h"

#include "cli/cli_files.h"
#include "lang/catalogue.h"
#include "platform/printer.h"
#include "reports/print_layout.h"
#include "store/files/file_access.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QString>

#include <memory>

namespace tavrin::cli {
namespace {

// A GUI application on the offscreen platform: fonts and printing without a display.
std::unique_ptr<QGuiApplication> OffscreenApplication() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 3;
    static char name[] = "tavrin-cli", platformOption[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunPrint(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    const auto request = ParseReportRequest(PrintSyntax, args);
    if (!request) return Refuse(err, ExitUsage, "print", request.error());
    const auto input = LoadBrowseInput(request->file, request->filters, request->today, {}, err);
    if (!input) return input.error();

    const auto application = OffscreenApplication();
    MessageCatalogue catalogue;
    catalogue.SetLanguage(request->language);
    const ReportTexts texts(catalogue);
    const DateFormat dates(request->datePattern);
    const ReportContext context{input->collection, texts, dates};

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdU16String(request->out.u16string()));
    const auto layOut = [&](const PrinterMeasures& measures, PrintedLineSink& sink) {
        return LayOutPrintedList(context, input->browse, request->choices, measures, sink);
    };
    if (!PrintPages(printer, layOut))
        return ReportFailure(
            err, {FileError::CannotWrite, PathText(request->out), "the PDF file could not be written"});
    return ExitOk;
}

} // namespace tavrin::cli

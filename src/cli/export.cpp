#include "cli/export.h"

#include "cli/cli_files.h"
#include "cli/export_html.h"
#include "cli/report_options.h"
#include "lang/catalogue.h"
#include "reports/list_export.h"

namespace tavrin::cli {

int RunExport(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    constexpr std::string_view Extra[] = {"--format", "--out"};
    const auto request = ParseReportRequest(args, Extra);
    if (!request) {
        err << "tavrin-cli: export: " << request.error() << '\n';
        return ExitUsage;
    }
    int exitCode = ExitOk;
    const auto input = LoadReportInput(*request, err, exitCode);
    if (!input) return exitCode;

    MessageCatalogue catalogue;
    catalogue.SetLanguage(request->language);
    const ReportTexts texts(catalogue);
    const DateFormat dates(request->datePattern);
    const ReportContext context{input->collection, texts, dates};
    if (request->format == "html")
        return WriteHtmlFiles(request->out, context, input->browse, request->choices, request->html, err);
    const auto written =
        request->format == "tsv"
            ? WriteSpreadsheetExport(request->out, context, input->browse, request->choices.details)
            : WriteTextExport(request->out, context, input->browse, request->choices);
    if (!written) {
        ReportFailure(err, written.error());
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace tavrin::cli

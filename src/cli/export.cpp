#include "cli/export.h"

#include "cli/cli_files.h"
#include "lang/catalogue.h"
#include "reports/list_export.h"

namespace tavrin::cli {

int RunExport(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    const auto request = ParseReportRequest(ExportSyntax, args);
    if (!request) return Refuse(err, ExitUsage, "export", request.error());
    const auto input = LoadBrowseInput(request->file, request->filters, request->today, {}, err);
    if (!input) return input.error();

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
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli

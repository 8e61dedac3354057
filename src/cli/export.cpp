#include "cli/export.h"

#include "app/browse/title_search.h"
#include "cli/cli_files.h"
#include "cli/media.h"
#include "exchange/tellico_export.h"
#include "lang/catalogue.h"
#include "reports/list_export.h"
#include "store/text_encoding.h"

namespace tavrin::cli {
namespace {

// The browse list as a Tellico file; each cover left out is said on err, and the file is written
// all the same.
int WriteTellicoFile(const ReportRequest& request, const BrowseInput& input, const PictureCodec* codec,
                     std::ostream& err) {
    const ProgramFolders folders = ProgramFoldersAsFound();
    TellicoExportInput tellico;
    tellico.collection = &input.collection;
    tellico.records = input.browse;
    tellico.textFolder = folders.text;
    tellico.mediasFolder = folders.medias;
    tellico.codec = codec;
    tellico.title = Cp1252ToUtf8(request.choices.listName);
    std::vector<LeftOutCover> leftOut;
    const std::vector<std::uint8_t> bytes = TellicoZip(tellico, &leftOut);
    for (const LeftOutCover& cover : leftOut)
        err << "tavrin-cli: cover \"" << cover.media << "\" is not exported: " << cover.reason << '\n';
    if (bytes.empty())
        return ReportFailure(err,
                             {FileError::CannotWrite, PathText(request.out), "the zip could not be made"});
    const auto written = WriteFileReplacing(request.out, bytes);
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace

int RunExport(std::span<const std::string_view> args, std::ostream&, std::ostream& err,
              const PictureCodec* codec) {
    const auto request = ParseReportRequest(ExportSyntax, args);
    if (!request) return Refuse(err, ExitUsage, "export", request.error());
    auto input = LoadBrowseInput(request->file, request->filters, request->today, {}, err);
    if (!input) return input.error();
    if (request->search)
        input->browse =
            SearchTitles(input->collection, input->browse, SearchWords(Utf8ToCp1252(*request->search)));
    if (request->format == "tellico") return WriteTellicoFile(*request, *input, codec, err);

    MessageCatalogue catalogue;
    catalogue.SetLanguage(request->language);
    const ReportTexts texts(catalogue);
    const DateFormat dates(request->datePattern);
    const ReportContext context{input->collection, texts, dates};
    if (request->format == "html")
        return WriteHtmlFiles(request->out, context, input->browse, request->choices, request->html, codec,
                              err);
    const auto written =
        request->format == "tsv"
            ? WriteSpreadsheetExport(request->out, context, input->browse, request->choices.details)
            : WriteTextExport(request->out, context, input->browse, request->choices);
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli

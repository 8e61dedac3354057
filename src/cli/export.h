// `tavrin-cli export FILE --format text|tsv|html|tellico [REPORT OPTIONS] --out OUT`: the browse
// list written as the export window writes it, byte for byte (html: as export_html.h says;
// tellico: a Tellico file, the list's name as the collection's title).
#pragma once

#include "cli/export_html.h"
#include "cli/options.h"
#include "cli/report_options.h"
#include "store/pictures/picture_codec.h"

#include <array>
#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr auto ExportOptions = JoinOptions(
    std::array<Option, 1>{
        {{"--format", "text|tsv|html|tellico",
          "the export: text list, spreadsheet text, HTML pages or a Tellico file (.tc)", true}}},
    ReportOptions, std::array<Option, 1>{{SearchOption}}, HtmlExportOptions,
    std::array<Option, 1>{
        {{"--out", "OUT", "the file written (html: the list's page, others beside it)", true}}});
inline constexpr Syntax ExportSyntax{FileArgument, ExportOptions, "REPORT OPTIONS"};

// codec converts the Tellico file's covers that are neither JPEG, PNG nor GIF; without one they
// are left out, each said on err.
int RunExport(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
              const PictureCodec* codec = nullptr);

} // namespace tavrin::cli

// `tavrin-cli export FILE --format text|tsv|html [REPORT OPTIONS] --out OUT`: the browse list
// written as the export window writes it, byte for byte (html: as export_html.h says).
#pragma once

#include "cli/export_html.h"
#include "cli/options.h"
#include "cli/report_options.h"

#include <array>
#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr auto ExportOptions =
    JoinOptions(std::array<Option, 1>{{{"--format", "text|tsv|html",
                                        "the export: text list, spreadsheet text or HTML pages", true}}},
                ReportOptions, HtmlExportOptions,
                std::array<Option, 1>{
                    {{"--out", "OUT", "the file written (html: the list's page, others beside it)", true}}});
inline constexpr Syntax ExportSyntax{FileArgument, ExportOptions, "REPORT OPTIONS"};

int RunExport(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli

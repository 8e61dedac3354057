// What `tavrin-cli export` and `tavrin-cli print` share: their options, which choose a report as
// the export window does, and the collection and browse list the report runs over.
//
//   FILE [--details all|NAMES] [--name TEXT] [--filters JSON] [--today YYYY-MM-DD]
//        [--lang en|fr|de|it|fi] [--date-format PATTERN]
//
// plus --format text|tsv|html and --out OUT for export (with the HTML options of export_html.h),
// --pdf OUT.pdf for print.
#pragma once

#include "reports/html_page_parts.h"
#include "reports/report_choices.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::cli {

struct ReportRequest {
    std::filesystem::path file;
    ExportChoices choices;      // without --details: "Just The Titles"
    std::string filters = "{}"; // the --filters JSON
    std::optional<DayNumber> today;
    int language = 0;
    std::string datePattern = "dd/MM/yyyy"; // 8-bit
    std::string format;                     // export: "text", "tsv" or "html"
    HtmlOptions html;                       // export --format html: its own options
    std::filesystem::path out;              // --out, or --pdf
};

// Reads FILE and the options; extraOptions are the command's own ("--format", "--out" or
// "--pdf"), each required. A problem with the command line comes back as its message.
Expected<ReportRequest, std::string> ParseReportRequest(std::span<const std::string_view> args,
                                                        std::span<const std::string_view> extraOptions);

// The loaded collection and the browse list the filters give.
struct ReportInput {
    Collection collection;
    std::vector<std::uint16_t> browse;
};

// Loads FILE (a failure is reported on err: ExitFailure) and applies the filters (a filter
// problem is a usage error: ExitUsage). exitCode says which when nothing comes back.
std::optional<ReportInput> LoadReportInput(const ReportRequest& request, std::ostream& err, int& exitCode);

} // namespace tavrin::cli

// What `tavrin-cli export` and `tavrin-cli print` share: their options, which choose a report as
// the export window does, and the reading of their command lines.
#pragma once

#include "cli/browse_input.h"
#include "cli/catalogue.h"
#include "cli/options.h"
#include "reports/html_page_parts.h"
#include "reports/report_choices.h"
#include "store/day_number.h"
#include "store/expected.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrin::cli {

inline constexpr std::array<Option, 6> ReportOptions{{
    {"--details", "all|NAMES",
     "the detail boxes to tick, all or by name: DT, AT, CT, GT, EdiT, ST, SubT, SideT, RatioT, LT, "
     "MPAAT, TT, BT, ET, OtherT, MT, PT, WT, TextT, as DT,AT,PT (none: the titles alone)"},
    {"--name", "TEXT", "the list's name (\"TAVRIN LIST\" by default)"},
    FiltersOption,
    TodayOption,
    LangOption,
    {"--date-format", "PATTERN",
     "dates with d, dd, M, MM, yy, yyyy, the names ddd, dddd, MMM and MMMM (in English) and 'quoted text' "
     "(dd/MM/yyyy by default)"},
}};

struct ReportRequest {
    std::filesystem::path file;
    ExportChoices choices; // without --details: "Just The Titles"
    std::optional<std::string> filters;
    std::optional<std::string> search; // export --search: UTF-8 as typed
    std::optional<DayNumber> today;
    int language = 0;
    std::string datePattern = "dd/MM/yyyy"; // 8-bit
    std::string format;                     // export: "text", "tsv", "html" or "tellico"
    HtmlOptions html;                       // export --format html: its own options
    std::filesystem::path out;              // --out, or --pdf
};

// Reads FILE and the options of syntax: ReportOptions, and for export --format, --search, --out
// and the HTML ones, for print --pdf. A problem with the command line comes back as its message.
Expected<ReportRequest, std::string> ParseReportRequest(const Syntax& syntax, Args args);

} // namespace tavrin::cli

#include "cli/report_options.h"

#include "cli/cli_files.h"
#include "cli/export_html.h"
#include "store/text_encoding.h"

#include <algorithm>

namespace tavrin::cli {
namespace {

Unexpected<std::string> Problem(std::string text) {
    return Unexpected(std::move(text));
}

std::optional<std::string> ReadDetails(std::string_view value, DetailChoices& details) {
    if (value == "all") {
        details = DetailChoices::All();
        return std::nullopt;
    }
    details = DetailChoices::None();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        const std::string_view name =
            value.substr(start, comma == std::string_view::npos ? value.npos : comma - start);
        const auto box = DetailBoxFromName(name);
        if (!box)
            return "--details: unknown box \"" + std::string(name) +
                   "\" (DT, AT, CT, GT, EdiT, ST, SubT, SideT, "
                   "RatioT, LT, MPAAT, TT, BT, ET, OtherT, MT, PT, WT, TextT or all)";
        details.Set(*box);
        if (comma == std::string_view::npos) return std::nullopt;
        start = comma + 1;
    }
}

// One option's value into the request, as it is met.
std::optional<std::string> ReadReportOption(std::string_view option, std::string_view value,
                                            ReportRequest& r) {
    if (IsHtmlOption(option)) return ReadHtmlOption(option, value, r.html);
    if (option == "--details") {
        r.choices.kind = ExportKind::OtherInformations;
        return ReadDetails(value, r.choices.details);
    }
    if (option == "--name") {
        r.choices.listName = ListNameFromTyped(Utf8ToCp1252(value));
    } else if (option == FiltersOption.name) {
        r.filters = std::string(value);
    } else if (option == TodayOption.name) {
        const auto day = ReadToday(value);
        if (!day) return day.error();
        r.today = *day;
    } else if (option == LangOption.name) {
        const auto language = ReadLanguage(value);
        if (!language) return language.error();
        r.language = *language;
    } else if (option == "--date-format") {
        r.datePattern = Utf8ToCp1252(value);
    } else if (option == SearchOption.name) {
        r.search = std::string(value);
    } else if (option == "--format") {
        if (value != "text" && value != "tsv" && value != "html" && value != "tellico")
            return "--format is text, tsv, html or tellico";
        r.format = std::string(value);
    } else { // --out or --pdf
        r.out = std::filesystem::path(std::string(value));
    }
    return std::nullopt;
}

} // namespace

Expected<ReportRequest, std::string> ParseReportRequest(const Syntax& syntax, Args args) {
    if (args.empty() || args[0].starts_with("--")) return Problem("FILE comes first");
    ReportRequest r;
    const auto parsed = ParseArgs(syntax, args, [&r](std::string_view option, std::string_view value) {
        return ReadReportOption(option, value, r);
    });
    if (!parsed) return Problem(FaultText(parsed.error(), FaultWords::Report));
    r.file = std::filesystem::path(std::string(parsed->positionals[0]));
    const bool detailsGiven = parsed->Has("--details");
    const bool htmlGiven = std::any_of(parsed->options.begin(), parsed->options.end(),
                                       [](const auto& given) { return IsHtmlOption(given.first); });
    if (r.format == "tellico" && detailsGiven)
        return Problem("--details goes with text, tsv and html: a Tellico file holds every detail");
    if (r.format == "tsv" && !detailsGiven)
        return Problem("--format tsv needs --details: the spreadsheet lists the chosen details");
    if (htmlGiven && r.format != "html") return Problem("the HTML options go with --format html");
    if (r.html.multiPage && !detailsGiven)
        return Problem("--multi-page needs --details: a title's page shows its details");
    if (r.html.frames && !r.html.multiPage) return Problem("--frames needs --multi-page");
    // The collection read stays as it is.
    if (SameFile(r.file, r.out))
        return Problem("the output names the file read; write the report to another file");
    return r;
}

} // namespace tavrin::cli

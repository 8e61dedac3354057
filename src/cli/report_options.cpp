#include "cli/report_options.h"

#include "cli/cli_files.h"
#include "cli/export_html.h"
#include "cli/list.h"
#include "lang/catalogue.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <array>

namespace tavrin::cli {
namespace {

constexpr std::array<std::string_view, LanguageCount> LanguageCodes{"en", "fr", "de", "it", "fi"};

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

} // namespace

Expected<ReportRequest, std::string> ParseReportRequest(std::span<const std::string_view> args,
                                                        std::span<const std::string_view> extraOptions) {
    if (args.empty() || args[0].starts_with("--")) return Problem("FILE comes first");
    ReportRequest r;
    r.file = std::filesystem::path(std::string(args[0]));
    std::vector<std::string_view> seen;
    bool detailsGiven = false;
    const bool exporting =
        std::find(extraOptions.begin(), extraOptions.end(), "--format") != extraOptions.end();
    bool htmlGiven = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string_view option = args[i];
        if (std::find(seen.begin(), seen.end(), option) != seen.end())
            return Problem(std::string(option) + " is given twice");
        seen.push_back(option);
        if (exporting && IsHtmlFlag(option)) {
            htmlGiven = true;
            ReadHtmlOption(option, {}, r.html);
            --i; // a flag takes no value
            continue;
        }
        if (i + 1 >= args.size()) return Problem(std::string(option) + " needs a value");
        const std::string_view value = args[i + 1];
        const bool extra = std::find(extraOptions.begin(), extraOptions.end(), option) != extraOptions.end();
        if (exporting && IsHtmlOption(option)) {
            htmlGiven = true;
            if (auto problem = ReadHtmlOption(option, value, r.html)) return Problem(*problem);
        } else if (option == "--details") {
            if (auto problem = ReadDetails(value, r.choices.details)) return Problem(*problem);
            r.choices.kind = ExportKind::OtherInformations;
            detailsGiven = true;
        } else if (option == "--name") {
            r.choices.listName = ListNameFromTyped(Utf8ToCp1252(value));
        } else if (option == "--filters") {
            r.filters = std::string(value);
        } else if (option == "--today") {
            r.today = ParseIsoDate(value);
            if (!r.today) return Problem("--today \"" + std::string(value) + "\" is not a date YYYY-MM-DD");
        } else if (option == "--lang") {
            const auto code = std::find(LanguageCodes.begin(), LanguageCodes.end(), value);
            if (code == LanguageCodes.end())
                return Problem("unknown language '" + std::string(value) + "' (en, fr, de, it or fi)");
            r.language = static_cast<int>(code - LanguageCodes.begin());
        } else if (option == "--date-format") {
            r.datePattern = Utf8ToCp1252(value);
        } else if (extra && option == "--format") {
            if (value != "text" && value != "tsv" && value != "html")
                return Problem("--format is text, tsv or html");
            r.format = std::string(value);
        } else if (extra && (option == "--out" || option == "--pdf")) {
            r.out = std::filesystem::path(std::string(value));
        } else {
            return Problem("unknown option " + std::string(option));
        }
    }
    for (const std::string_view option : extraOptions)
        if (std::find(seen.begin(), seen.end(), option) == seen.end())
            return Problem(std::string(option) + " is required");
    if (r.format == "tsv" && !detailsGiven)
        return Problem("--format tsv needs --details: the spreadsheet lists the chosen details");
    if (htmlGiven && r.format != "html") return Problem("the HTML options go with --format html");
    if (r.html.multiPage && !detailsGiven)
        return Problem("--multi-page needs --details: a title's page shows its details");
    if (r.html.frames && !r.html.multiPage) return Problem("--frames needs --multi-page");
    // The collection read stays as it is.
    std::error_code ec;
    if (std::filesystem::equivalent(r.file, r.out, ec))
        return Problem("the output names the file read; write the report to another file");
    return r;
}

std::optional<ReportInput> LoadReportInput(const ReportRequest& request, std::ostream& err, int& exitCode) {
    const auto doc = nlohmann::json::parse(request.filters, nullptr, false);
    if (doc.is_discarded()) {
        err << "tavrin-cli: --filters is not valid JSON\n";
        exitCode = ExitUsage;
        return std::nullopt;
    }
    auto loaded = LoadForCli(request.file, err);
    if (!loaded) {
        exitCode = ExitFailure;
        return std::nullopt;
    }
    ReportInput input{std::move(loaded->collection), {}};
    const DayNumber day = request.today.value_or(SystemToday());
    const auto filters = FiltersFromJson(
        doc, NeutralFilters(DateFromDayNumber(day).year, EarliestBuyDate(input.collection, day)));
    if (!filters) {
        err << "tavrin-cli: " << filters.error() << '\n';
        exitCode = ExitUsage;
        return std::nullopt;
    }
    input.browse = RefreshBrowseList(input.collection, *filters, day);
    return input;
}

} // namespace tavrin::cli

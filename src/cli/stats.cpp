#include "cli/stats.h"

#include "app/browse/special_selections.h"
#include "cli/catalogue.h"
#include "cli/cli_files.h"
#include "cli/list.h"
#include "reports/stats_chart.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <map>
#include <string>

namespace tavrin::cli {
namespace {

using Json = nlohmann::ordered_json;

int Refuse(std::ostream& err, std::string_view command, std::string_view problem) {
    err << "tavrin-cli: " << command << ": " << problem << '\n';
    return ExitUsage;
}

std::optional<int> WholeNumber(std::string_view text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

// The options after FILE, each given at most once; nothing (and a message) for anything else.
std::optional<std::map<std::string_view, std::string_view>> Options(std::span<const std::string_view> args,
                                                                    std::span<const std::string_view> known,
                                                                    std::string_view command,
                                                                    std::ostream& err) {
    std::map<std::string_view, std::string_view> options;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const bool isKnown = std::find(known.begin(), known.end(), args[i]) != known.end();
        if (!isKnown || options.contains(args[i])) {
            Refuse(err, command, "unknown or repeated option " + std::string(args[i]));
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            Refuse(err, command, std::string(args[i]) + " needs a value");
            return std::nullopt;
        }
        options[args[i]] = args[i + 1];
    }
    return options;
}

// The collection and its browse list for --filters and --today; what went wrong is reported.
struct Listed {
    Collection collection;
    std::vector<std::uint16_t> list;
    BrowseFilters filters;
    DayNumber today = 0;
};

// ExitOk with the listed titles, or the exit code of the failure.
int LoadListed(std::string_view file, const std::map<std::string_view, std::string_view>& options,
               std::string_view command, std::ostream& err, Listed& listed) {
    std::optional<DayNumber> today;
    if (const auto given = options.find("--today"); given != options.end()) {
        today = ParseIsoDate(given->second);
        if (!today)
            return Refuse(err, command,
                          "--today \"" + std::string(given->second) + "\" is not a date YYYY-MM-DD");
    }
    nlohmann::json doc = nlohmann::json::object();
    if (const auto given = options.find("--filters"); given != options.end()) {
        doc = nlohmann::json::parse(given->second, nullptr, false);
        if (doc.is_discarded()) return Refuse(err, command, "--filters is not valid JSON");
    }
    auto loaded = LoadForCli(std::filesystem::path(file), err);
    if (!loaded) return ExitFailure;
    listed.collection = std::move(loaded->collection);
    listed.today = today.value_or(SystemToday());
    const Collection& c = listed.collection;
    const auto filters = FiltersFromJson(
        doc, NeutralFilters(DateFromDayNumber(listed.today).year, EarliestBuyDate(c, listed.today)));
    if (!filters) return Refuse(err, command, filters.error());
    listed.filters = *filters;
    listed.list = RefreshBrowseList(c, listed.filters, listed.today);
    return ExitOk;
}

Json PictureJson(const ChartPicture& picture, const std::vector<int>& years) {
    Json json = Json::object();
    json["caption"] = picture.caption;
    Json bars = Json::array();
    for (const ChartBar& b : picture.bars)
        bars.push_back(Json::array({b.x0, b.y0, b.x1, b.y1}));
    json["bars"] = std::move(bars);
    Json labels = Json::array();
    for (const ChartLabel& l : picture.labels)
        labels.push_back(Json{{"x", l.x}, {"y", l.y}, {"text", l.text}});
    json["labels"] = std::move(labels);
    json["footer"] = picture.footer ? Json(*picture.footer) : Json(nullptr);
    json["message"] = picture.message ? Json(*picture.message) : Json(nullptr);
    json["years"] = years;
    return json;
}

} // namespace

int RunStats(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    constexpr std::string_view known[] = {"--chart", "--year", "--month", "--filters", "--today", "--lang"};
    const auto options = Options(args, known, "stats", err);
    if (!options) return ExitUsage;
    const auto chartName = options->find("--chart");
    if (chartName == options->end()) return Refuse(err, "stats", "--chart is required");
    const auto chart = StatsChartNamed(chartName->second);
    if (!chart) return Refuse(err, "stats", "unknown chart '" + std::string(chartName->second) + "'");
    std::optional<int> year;
    if (const auto given = options->find("--year"); given != options->end()) {
        year = WholeNumber(given->second);
        if (!year || *year < 1 || *year > 9999)
            return Refuse(err, "stats", "--year \"" + std::string(given->second) + "\" is not a year");
    }
    int month = 0;
    if (const auto given = options->find("--month"); given != options->end()) {
        const auto m = WholeNumber(given->second);
        if (!m || *m < 0 || *m > 12)
            return Refuse(err, "stats", "--month \"" + std::string(given->second) + "\" is not 0 .. 12");
        month = *m;
    }
    MessageCatalogue catalogue;
    if (const auto given = options->find("--lang"); given != options->end()) {
        const auto language = LanguageFromCode(given->second);
        if (!language)
            return Refuse(err, "stats",
                          "unknown language '" + std::string(given->second) + "' (en, fr, de, it or fi)");
        catalogue.SetLanguage(*language);
    }

    Listed listed;
    if (const int failed = LoadListed(args[0], *options, "stats", err, listed); failed != ExitOk)
        return failed;
    const Collection& c = listed.collection;
    const std::vector<int> years = StatsYears(c, listed.list, DateFromDayNumber(listed.today).year);
    if (!year && !years.empty()) year = years.back();

    // The window does not open on an empty list, and a money chart needs a year to chart.
    std::optional<ChartPicture> picture;
    if (!listed.list.empty() && (*chart != StatsChart::Money || year))
        picture = DrawChart(c, listed.list, *chart, ChartFiltersOf(listed.filters), catalogue,
                            MoneyPeriod{year.value_or(0), month});
    out << (picture ? PictureJson(*picture, years).dump() : std::string("null")) << '\n';
    return FinishOutput(out, err);
}

int RunPrice(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    constexpr std::string_view known[] = {"--filters", "--today"};
    const auto options = Options(args, known, "price", err);
    if (!options) return ExitUsage;
    Listed listed;
    if (const int failed = LoadListed(args[0], *options, "price", err, listed); failed != ExitOk)
        return failed;
    const PriceSummary s = CalculatePrice(listed.collection, listed.list);
    out << "{\"TotalPrice\": " << Json(TotalPriceText(s)).dump() << ", \"NbDisc\": " << s.NbDisc
        << ", \"PriceZero\": " << s.PriceZero << "}\n";
    return FinishOutput(out, err);
}

} // namespace tavrin::cli

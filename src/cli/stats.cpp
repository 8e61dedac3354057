#include "cli/stats.h"

#include "app/browse/special_selections.h"
#include "cli/cli_files.h"
#include "reports/stats_chart.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <string>

namespace tavrin::cli {
namespace {

using Json = nlohmann::ordered_json;

std::optional<int> WholeNumber(std::string_view text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

// FILE with --filters and --today, read once the other options have been.
Expected<BrowseInput, int> LoadListed(const ParsedArgs& options, std::string_view command,
                                      std::ostream& err) {
    std::optional<DayNumber> today;
    if (const auto given = options.Value(TodayOption.name)) {
        const auto day = ReadToday(*given);
        if (!day) return Unexpected(Refuse(err, ExitUsage, command, day.error()));
        today = *day;
    }
    return LoadBrowseInput(std::filesystem::path(options.positionals[0]), options.Value(FiltersOption.name),
                           today, command, err);
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
    const auto options = ParseArgs(StatsSyntax, args);
    if (!options) return Refuse(err, ExitUsage, "stats", FaultText(options.error(), FaultWords::Plain));
    const std::string_view chartName = *options->Value("--chart");
    const auto chart = StatsChartNamed(chartName);
    if (!chart) return Refuse(err, ExitUsage, "stats", "unknown chart '" + std::string(chartName) + "'");
    std::optional<int> year;
    if (const auto given = options->Value("--year")) {
        year = WholeNumber(*given);
        if (!year || *year < 1 || *year > 9999)
            return Refuse(err, ExitUsage, "stats", "--year \"" + std::string(*given) + "\" is not a year");
    }
    int month = 0;
    if (const auto given = options->Value("--month")) {
        const auto m = WholeNumber(*given);
        if (!m || *m < 0 || *m > 12)
            return Refuse(err, ExitUsage, "stats", "--month \"" + std::string(*given) + "\" is not 0 .. 12");
        month = *m;
    }
    MessageCatalogue catalogue;
    if (const auto given = options->Value(LangOption.name)) {
        const auto language = ReadLanguage(*given);
        if (!language) return Refuse(err, ExitUsage, "stats", language.error());
        catalogue.SetLanguage(*language);
    }

    const auto listed = LoadListed(*options, "stats", err);
    if (!listed) return listed.error();
    const Collection& c = listed->collection;
    const std::vector<int> years = StatsYears(c, listed->browse, DateFromDayNumber(listed->today).year);
    if (!year && !years.empty()) year = years.back();

    // The window does not open on an empty list, and a money chart needs a year to chart.
    std::optional<ChartPicture> picture;
    if (!listed->browse.empty() && (*chart != StatsChart::Money || year))
        picture = DrawChart(c, listed->browse, *chart, ChartFiltersOf(listed->filters), catalogue,
                            MoneyPeriod{year.value_or(0), month});
    out << (picture ? PictureJson(*picture, years).dump() : std::string("null")) << '\n';
    return FinishOutput(out, err);
}

int RunPrice(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const auto options = ParseArgs(PriceSyntax, args);
    if (!options) return Refuse(err, ExitUsage, "price", FaultText(options.error(), FaultWords::Plain));
    auto listed = LoadListed(*options, "price", err);
    if (!listed) return listed.error();
    const PriceSummary s = CalculatePrice(listed->collection, listed->browse);
    out << "{\"TotalPrice\": " << Json(TotalPriceText(s)).dump() << ", \"NbDisc\": " << s.NbDisc
        << ", \"PriceZero\": " << s.PriceZero << "}\n";
    return FinishOutput(out, err);
}

} // namespace tavrin::cli

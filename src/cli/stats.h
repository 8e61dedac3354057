// `tavrin-cli stats FILE --chart NAME [OPTIONS]`: a statistics chart as the window draws it, as
// one JSON object (caption, bars, labels, footer, message, years), or null when the window would
// stay as it was. `tavrin-cli price FILE [--filters JSON] [--today YYYY-MM-DD]`: the price summary.
#pragma once

#include "cli/browse_input.h"
#include "cli/catalogue.h"
#include "cli/options.h"

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr Option StatsOptions[] = {
    {"--chart", "CHART",
     "the chart: medium, ratio, genre, movie-mark, image-mark, sound-mark, mpaa, sound, standard, "
     "new-used, cav-clv, rsdl, zone or money",
     true},
    {"--year", "Y", "the year of the money chart (this year by default)"},
    {"--month", "0..12", "the month of the money chart (0, the default: the whole year)"},
    FiltersOption,
    TodayOption,
    LangOption,
};
inline constexpr Syntax StatsSyntax{FileArgument, StatsOptions, "OPTIONS"};

inline constexpr Option PriceOptions[] = {FiltersOption, TodayOption};
inline constexpr Syntax PriceSyntax{FileArgument, PriceOptions};

int RunStats(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunPrice(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli

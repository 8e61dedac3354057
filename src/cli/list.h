// `tavrin-cli list FILE [--filters JSON] [--today YYYY-MM-DD] [--search TEXT]`: the browse list,
// as the main window shows it for those filter settings and that search, one title a line: record
// number, TAB, title (UTF-8).
#pragma once

#include "app/browse/browse_filters.h"
#include "cli/browse_input.h"
#include "cli/options.h"
#include "store/expected.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tavrin::cli {

// The filters a JSON object sets, over the given neutral ones. Keys are the filter controls'
// names; values what the control holds: combo item indexes, the genre code for TGenre, booleans
// for check boxes, years, mark positions, Watched / TWatched item indexes, name selections (-1,
// the no-entry value or an entry number), TActor as an array of up to three actor entries, and
// EntrySince as "YYYY-MM-DD". An unknown key, a wrong type or a value the control cannot hold
// gives a message naming the key.
Expected<BrowseFilters, std::string> FiltersFromJson(const nlohmann::json& doc, const BrowseFilters& neutral);

// Today by the system's clock, in local time.
DayNumber SystemToday();

// "YYYY-MM-DD" as a day number; nothing for anything else or an impossible date.
std::optional<DayNumber> ParseIsoDate(std::string_view text);

inline constexpr Option ListOptions[] = {FiltersOption, TodayOption, SearchOption};
inline constexpr Syntax ListSyntax{FileArgument, ListOptions};

int RunList(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli

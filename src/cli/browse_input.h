// The step every command over the browse list starts with (list, price, stats, export, print):
// load FILE, then keep the titles the --filters JSON keeps on the day --today names.
#pragma once

#include "app/browse/browse_filters.h"
#include "cli/options.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::cli {

inline constexpr Option FiltersOption{
    "--filters", "JSON",
    "the browse filters: a JSON object keyed by the filter controls' names, as {\"TSupport\": 1, "
    "\"TAnnee1\": 1980, \"TActor\": [3, 7], \"EntrySince\": \"2020-01-01\"} (none: every title)"};
inline constexpr Option TodayOption{"--today", "YYYY-MM-DD",
                                    "the day taken as today (the system's date by default)"};
inline constexpr Option SearchOption{
    "--search", "TEXT",
    "keep the titles whose title or names (director, actors, composer, publisher, box set, retailer, "
    "other informations) hold every word of TEXT, without regard to case or accents"};

// The day a --today value names, or the refusal.
Expected<DayNumber, std::string> ReadToday(std::string_view value);
// Reads --today into today as the option is met; other options are left to the command.
OptionReader TodayReader(std::optional<DayNumber>& today);

struct BrowseInput {
    Collection collection;
    std::vector<std::uint16_t> browse; // the titles kept, in display order
    BrowseFilters filters;
    DayNumber today = 0;
};

// Loads file and applies the filters on today (by default the system's date). JSON that does
// not parse, or a filter the controls cannot hold, is refused as bad usage in the name of where
// (none: "tavrin-cli: PROBLEM"); a file that cannot be loaded is reported. The error is the exit
// status the command ends with.
Expected<BrowseInput, int> LoadBrowseInput(const std::filesystem::path& file,
                                           std::optional<std::string_view> filters,
                                           std::optional<DayNumber> today, std::string_view where,
                                           std::ostream& err);

} // namespace tavrin::cli

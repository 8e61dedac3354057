#include "cli/browse_input.h"

#include "cli/cli_files.h"
#include "cli/list.h"

#include <nlohmann/json.hpp>

namespace tavrin::cli {

Expected<DayNumber, std::string> ReadToday(std::string_view value) {
    if (const auto day = ParseIsoDate(value)) return *day;
    return Unexpected("--today \"" + std::string(value) + "\" is not a date YYYY-MM-DD");
}

OptionReader TodayReader(std::optional<DayNumber>& today) {
    return [&today](std::string_view option, std::string_view value) -> std::optional<std::string> {
        if (option != TodayOption.name) return std::nullopt;
        const auto day = ReadToday(value);
        if (!day) return day.error();
        today = *day;
        return std::nullopt;
    };
}

Expected<BrowseInput, int> LoadBrowseInput(const std::filesystem::path& file,
                                           std::optional<std::string_view> filters,
                                           std::optional<DayNumber> today, std::string_view where,
                                           std::ostream& err) {
    nlohmann::json doc = nlohmann::json::object();
    if (filters) {
        doc = nlohmann::json::parse(*filters, nullptr, false);
        if (doc.is_discarded())
            return Unexpected(Refuse(err, ExitUsage, where, "--filters is not valid JSON"));
    }
    auto loaded = LoadForCli(file, err);
    if (!loaded) return Unexpected(ExitFailure);
    BrowseInput input{std::move(loaded->collection), {}, {}, today.value_or(SystemToday())};
    const auto read = FiltersFromJson(doc, NeutralFilters(DateFromDayNumber(input.today).year,
                                                          EarliestBuyDate(input.collection, input.today)));
    if (!read) return Unexpected(Refuse(err, ExitUsage, where, read.error()));
    input.filters = *read;
    input.browse = RefreshBrowseList(input.collection, input.filters, input.today);
    return input;
}

} // namespace tavrin::cli

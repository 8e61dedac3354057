#include "app/browse/special_selections.h"

#include "store/title_order.h"

#include <algorithm>
#include <chrono>

namespace tavrin {
namespace {

// Moves the entries at rows from one title-ordered list into another, keeping both in order.
void MoveRows(const Collection& c, std::vector<std::uint16_t>& from, std::vector<std::uint16_t>& to,
              std::span<const int> rows) {
    std::vector<bool> moving(from.size(), false);
    for (const int row : rows)
        if (row >= 0 && static_cast<std::size_t>(row) < from.size())
            moving[static_cast<std::size_t>(row)] = true;
    std::vector<std::uint16_t> moved, kept;
    for (std::size_t i = 0; i < from.size(); ++i)
        (moving[i] ? moved : kept).push_back(from[i]);
    const auto before = [&c](std::uint16_t a, std::uint16_t b) { return TitleSortsBefore(c.titles, a, b); };
    std::vector<std::uint16_t> merged;
    merged.reserve(to.size() + moved.size());
    std::merge(to.begin(), to.end(), moved.begin(), moved.end(), std::back_inserter(merged), before);
    from = std::move(kept);
    to = std::move(merged);
}

std::vector<int> AllRows(std::size_t count) {
    std::vector<int> rows(count);
    for (std::size_t i = 0; i < count; ++i)
        rows[i] = static_cast<int>(i);
    return rows;
}

} // namespace

PriceSummary CalculatePrice(const Collection& c, std::span<const std::uint16_t> list) {
    PriceSummary s;
    // One flag per possible box link: no limit on how many box sets a list holds.
    std::vector<bool> counted(static_cast<std::size_t>(MaxEntryNumber) + 1, false);
    for (const std::uint16_t r : list) {
        const TitleRecord& title = c.RecordAt(r);
        const float price = title.Price();
        const bool nullPrice = price == 0.0f;
        if (nullPrice) ++s.PriceZero;
        // A stored value above the last entry number is no box set.
        const std::uint16_t box = title.Box();
        if (box <= MaxEntryNumber) {
            if (counted[box]) continue;
            counted[box] = true;
        }
        s.TotalPrice += price;
        ++s.NbDisc;
    }
    return s;
}

std::string TotalPriceText(const PriceSummary& summary) {
    return FixedDecimals(summary.TotalPrice, 2);
}

std::vector<std::uint16_t> KeepNullPrices(const Collection& c, std::span<const std::uint16_t> list) {
    std::vector<std::uint16_t> kept;
    for (const std::uint16_t r : list)
        if (c.RecordAt(r).I32(PriceOffset) == 0) kept.push_back(r); // all four bytes, not the float
    return kept;
}

RussianRoulette::RussianRoulette()
    : RussianRoulette(
          static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

std::optional<std::size_t> RussianRoulette::Draw(std::size_t count) {
    if (count == 0) return std::nullopt;
    return static_cast<std::size_t>(generator_()) % count;
}

TitlePicker::TitlePicker(const Collection& c, std::span<const std::uint16_t> titles)
    : collection_(c), available_(titles.begin(), titles.end()) {
    std::stable_sort(available_.begin(), available_.end(),
                     [&c](std::uint16_t a, std::uint16_t b) { return TitleSortsBefore(c.titles, a, b); });
}

void TitlePicker::Choose(std::span<const int> rows) {
    MoveRows(collection_, available_, chosen_, rows);
}

void TitlePicker::Unchoose(std::span<const int> rows) {
    MoveRows(collection_, chosen_, available_, rows);
}

void TitlePicker::ChooseAll() {
    const auto rows = AllRows(available_.size());
    Choose(rows);
}

void TitlePicker::UnchooseAll() {
    const auto rows = AllRows(chosen_.size());
    Unchoose(rows);
}

ChartFilters ChartFiltersOf(const BrowseFilters& f) {
    // The chart of each field a combo selects one value of.
    constexpr std::pair<int BrowseFilters::*, StatsChart> combos[] = {
        {&BrowseFilters::TSupport, StatsChart::Medium}, {&BrowseFilters::TAspectRatio, StatsChart::Ratio},
        {&BrowseFilters::TGenre, StatsChart::Genre},    {&BrowseFilters::TMPAA, StatsChart::Mpaa},
        {&BrowseFilters::TSound, StatsChart::Sound},    {&BrowseFilters::TStandard, StatsChart::Standard},
        {&BrowseFilters::TZone, StatsChart::Zone},
    };
    constexpr BrowseFilters neutral;
    ChartFilters c;
    for (const auto& [member, chart] : combos)
        if (f.*member != neutral.*member) c.Narrow(chart);
    // A mark range of one mark.
    if (f.TNoteFilm1 == f.TNoteFilm2) c.Narrow(StatsChart::MovieMark);
    if (f.TNoteImage1 == f.TNoteImage2) c.Narrow(StatsChart::ImageMark);
    if (f.TNoteSon1 == f.TNoteSon2) c.Narrow(StatsChart::SoundMark);
    if (f.TUsed) c.Narrow(StatsChart::NewUsed);
    return c;
}

} // namespace tavrin

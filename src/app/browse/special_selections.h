// The operations on the browse list beside the filters: the price summary and the titles with a
// null price, Russian Roulette, and the manual choice of titles.
#pragma once

#include "app/browse/browse_filters.h"
#include "reports/stats_chart.h"
#include "store/collection.h"

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

// ---- Price ----
struct PriceSummary {
    float TotalPrice = 0; // a box set counts with the price of its first listed title
    int NbDisc = 0;       // separate titles: a box set is one
    int PriceZero = 0;    // titles with a price of 0, boxed or not
    friend bool operator==(const PriceSummary&, const PriceSummary&) = default;
};

// Goes through the browse list in order. A box link above 65000 names no box set and is
// rewritten as 0xFFFF in its record. Any number of box sets can be told apart.
PriceSummary CalculatePrice(const Collection& c, std::span<const std::uint16_t> list);
// The total as shown: exactly two decimals.
std::string TotalPriceText(const PriceSummary& summary);

// The titles of the list whose price is 0 (all four bytes zero), in list order.
std::vector<std::uint16_t> KeepNullPrices(const Collection& c, std::span<const std::uint16_t> list);

// ---- Russian Roulette ----
// Draws list entries from a generator seeded once (from the time, at start-up): any entry of
// any list can come out.
class RussianRoulette {
  public:
    // Seeded from the clock.
    RussianRoulette();
    explicit RussianRoulette(std::uint64_t seed) : generator_(static_cast<std::mt19937::result_type>(seed)) {}
    // The entry to select among count listed titles; nothing for an empty list.
    std::optional<std::size_t> Draw(std::size_t count);

  private:
    std::mt19937 generator_;
};

// ---- Manual choice of titles ----
// The two lists of the choice dialog, both kept in title order: the titles still available and
// those chosen. Positions are rows of the lists as shown.
class TitlePicker {
  public:
    TitlePicker(const Collection& c, std::span<const std::uint16_t> titles);

    const std::vector<std::uint16_t>& Available() const { return available_; }
    const std::vector<std::uint16_t>& Chosen() const { return chosen_; }

    // Moves the titles at these rows (any order, repeats and rows beyond the list ignored).
    void Choose(std::span<const int> rows);
    void Unchoose(std::span<const int> rows);
    void ChooseAll();
    void UnchooseAll();

  private:
    const Collection& collection_;
    std::vector<std::uint16_t> available_;
    std::vector<std::uint16_t> chosen_;
};

// The main window's filter values the statistics charts look at.
ChartFilters ChartFiltersOf(const BrowseFilters& f);

} // namespace tavrin

// The one title order used everywhere: title texts compared without regard to case or accents
// (É sorts with E), then by their exact upper-case bytes, and equal titles by record number.
#pragma once

#include "store/title_record.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tavrin {

// Negative, zero or positive, like strcmp; zero only for texts equal without regard to case.
int CompareTitleTexts(std::string_view a, std::string_view b);

// True when record a sorts before record b (a and b are record numbers into records).
bool TitleSortsBefore(std::span<const TitleRecord> records, std::uint16_t a, std::uint16_t b);

// The first eight primary weights of every record's title, most significant first, zero past the
// text's end: two titles whose heads differ sort as their heads do.
std::vector<std::uint64_t> TitleHeads(std::span<const TitleRecord> records);

// TitleSortsBefore with the heads of records: most comparisons end there, without touching the
// records themselves.
bool TitleSortsBefore(std::span<const TitleRecord> records, std::span<const std::uint64_t> heads,
                      std::uint16_t a, std::uint16_t b);

// Where record r belongs in an order list sorted by TitleSortsBefore.
std::size_t TitleInsertPosition(std::span<const TitleRecord> records, std::span<const std::uint16_t> order,
                                std::uint16_t r);

// Every record number of records, in title order.
std::vector<std::uint16_t> SortedTitleOrder(std::span<const TitleRecord> records);

} // namespace tavrin

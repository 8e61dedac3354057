// The title table: its columns, which of them the user shows and in what order (kept in the
// settings as text), and the sort of the browse list by a column.
#pragma once

#include "lang/catalogue.h"
#include "store/collection.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

enum class TableColumn { Title, Year, Medium, Director, Genre, Length, Price, Purchased, Watched, Marks };
inline constexpr std::size_t TableColumnCount = 10;
inline constexpr std::array<TableColumn, TableColumnCount> AllTableColumns{
    TableColumn::Title,   TableColumn::Year,   TableColumn::Medium, TableColumn::Director,
    TableColumn::Genre,   TableColumn::Length, TableColumn::Price,  TableColumn::Purchased,
    TableColumn::Watched, TableColumn::Marks};

// The column's name in the settings ("Title", "Year" ..) and its header's catalogue entry.
std::string_view TableColumnName(TableColumn column);
Msg TableColumnHeader(TableColumn column);

// The columns shown, from left to right; never empty.
using TableLayout = std::vector<TableColumn>;

// Every column, in the order above.
TableLayout DefaultTableLayout();
// "Title,Year,Director": the names joined by commas.
std::string TableLayoutText(const TableLayout& layout);
// The layout a text names; unknown and repeated names are passed over, and a text that names no
// column (none stored yet) gives the default.
TableLayout TableLayoutFromText(std::string_view text);

// The width in pixels the user gave each column, by column (0: none yet, the program chooses).
using TableWidths = std::array<int, TableColumnCount>;
// "Title=240,Year=52": the widths given, by column name.
std::string TableWidthsText(const TableWidths& widths);
// The widths a text names; unknown names and widths that are not whole numbers above zero are
// passed over.
TableWidths TableWidthsFromText(std::string_view text);

// A header clicked: its column, and whether the order is reversed (the second click).
struct TableSort {
    TableColumn column = TableColumn::Title;
    bool descending = false;

    friend bool operator==(const TableSort&, const TableSort&) = default;
};

// The sort after a click on column's header: that column ascending, or reversed when it was
// already the sort.
TableSort ClickedSort(std::optional<TableSort> current, TableColumn column);

// Sorts the record numbers of list by the column: texts (title, medium, director, genre in the
// catalogue's language) as titles sort, numbers and dates by value, marks by film, picture and
// sound mark; titles of equal value stay in title order, in either direction. Record numbers
// beyond the collection go last.
void SortTitles(const Collection& c, std::span<std::uint16_t> list, TableSort sort,
                const MessageCatalogue& catalogue);

} // namespace tavrin

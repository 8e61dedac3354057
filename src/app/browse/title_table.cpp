#include "app/browse/title_table.h"

#include "lang/vocabulary.h"
#include "platform/window_geometry.h"
#include "store/text_encoding.h"
#include "store/title_order.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tavrin {
namespace {

struct ColumnInfo {
    TableColumn column;
    std::string_view name;
    Msg header;
};

constexpr ColumnInfo Columns[TableColumnCount] = {
    {TableColumn::Title, "Title", Msg::MsgTitle},
    {TableColumn::Year, "Year", Msg::MsgYear},
    {TableColumn::Medium, "Medium", Msg::MsgMediumColumn},
    {TableColumn::Director, "Director", Msg::MsgDirector},
    {TableColumn::Genre, "Genre", Msg::MsgGenre},
    {TableColumn::Length, "Length", Msg::MsgLength},
    {TableColumn::Price, "Price", Msg::MsgPrice},
    {TableColumn::Purchased, "Purchased", Msg::MsgPurchasedColumn},
    {TableColumn::Watched, "Watched", Msg::MsgWatchedColumn},
    {TableColumn::Marks, "Marks", Msg::MsgMarksColumn},
};

const ColumnInfo& InfoOf(TableColumn column) {
    return Columns[static_cast<std::size_t>(column)];
}

// Ranks of texts: equal texts (without regard to case and accents, as titles compare) share a
// rank; the empty text, which every missing name shows, ranks 0, before every other.
template <class TextOf> std::vector<std::uint32_t> TextRanks(std::vector<std::size_t> items, TextOf text) {
    std::sort(items.begin(), items.end(), [&](std::size_t a, std::size_t b) {
        const int c = CompareTitleTexts(text(a), text(b));
        return c != 0 ? c < 0 : a < b;
    });
    std::vector<std::uint32_t> ranks;
    std::uint32_t rank = 0;
    std::string_view previous;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view t = text(items[i]);
        if (i == 0 ? !t.empty() : CompareTitleTexts(previous, t) != 0) ++rank;
        previous = t;
        if (ranks.size() <= items[i]) ranks.resize(items[i] + 1, 0);
        ranks[items[i]] = rank;
    }
    return ranks;
}

// The directors' ranks, for the entries the listed titles name (a list may be far longer than
// the names in use); a reference to nothing reads the last element, 0.
std::vector<std::uint32_t> DirectorRanks(const Collection& c, std::span<const std::uint16_t> list) {
    const NameList& names = c.List(ListId::Director);
    std::vector<bool> used(names.size(), false);
    std::vector<std::size_t> entries;
    for (const std::uint16_t r : list) {
        if (r >= c.Count()) continue;
        const std::size_t e = c.titles[r].Director();
        if (e < names.size() && !used[e]) {
            used[e] = true;
            entries.push_back(e);
        }
    }
    std::vector<std::uint32_t> ranks =
        TextRanks(entries, [&](std::size_t e) -> std::string_view { return names[e]; });
    ranks.resize(names.size() + 1, 0);
    ranks.back() = 0;
    return ranks;
}

std::uint32_t OrderedFloat(float f) {
    const auto bits = std::bit_cast<std::uint32_t>(f);
    return bits & 0x80000000u ? ~bits : bits | 0x80000000u;
}

std::uint32_t OrderedInt(std::int32_t v) {
    return static_cast<std::uint32_t>(v) ^ 0x80000000u;
}

} // namespace

std::string_view TableColumnName(TableColumn column) {
    return InfoOf(column).name;
}

Msg TableColumnHeader(TableColumn column) {
    return InfoOf(column).header;
}

TableLayout DefaultTableLayout() {
    return {AllTableColumns.begin(), AllTableColumns.end()};
}

std::string TableLayoutText(const TableLayout& layout) {
    std::string text;
    for (const TableColumn column : layout) {
        if (!text.empty()) text += ',';
        text += TableColumnName(column);
    }
    return text;
}

TableLayout TableLayoutFromText(std::string_view text) {
    TableLayout layout;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view name = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        for (const ColumnInfo& info : Columns)
            if (info.name == name && std::find(layout.begin(), layout.end(), info.column) == layout.end())
                layout.push_back(info.column);
    }
    return layout.empty() ? DefaultTableLayout() : layout;
}

std::string TableWidthsText(const TableWidths& widths) {
    std::string text;
    for (const ColumnInfo& info : Columns) {
        const int width = widths[static_cast<std::size_t>(info.column)];
        if (width <= 0) continue;
        if (!text.empty()) text += ',';
        text += info.name;
        text += '=';
        text += std::to_string(width);
    }
    return text;
}

TableWidths TableWidthsFromText(std::string_view text) {
    TableWidths widths{};
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) continue;
        const auto width = PixelsFromText(item.substr(equals + 1));
        for (const ColumnInfo& info : Columns)
            if (width && info.name == item.substr(0, equals))
                widths[static_cast<std::size_t>(info.column)] = *width;
    }
    return widths;
}

TableSort ClickedSort(std::optional<TableSort> current, TableColumn column) {
    if (current && current->column == column) return {column, !current->descending};
    return {column, false};
}

// Each title's key is its column value (32 bits, turned over for the reverse order), then its
// place in the master order, then its record number: one integer sort gives the order, the ties
// in title order, and the record back from the low bits.
void SortTitles(const Collection& c, std::span<std::uint16_t> list, TableSort sort,
                const MessageCatalogue& catalogue) {
    const std::size_t n = c.Count();
    std::vector<std::uint16_t> place(n, 0xFFFF);
    for (std::size_t i = 0; i < c.ListeIndex.size(); ++i)
        if (c.ListeIndex[i] < n) place[c.ListeIndex[i]] = static_cast<std::uint16_t>(i);

    std::vector<std::uint32_t> textRanks; // Medium, Genre: rank by value; Director: by entry
    if (sort.column == TableColumn::Medium) {
        std::vector<std::size_t> codes(SupportNames.size());
        for (std::size_t i = 0; i < codes.size(); ++i)
            codes[i] = i;
        textRanks = TextRanks(codes, [](std::size_t code) { return SupportNames[code]; });
    } else if (sort.column == TableColumn::Genre) {
        // The genre names as the genre filter orders them.
        const std::vector<int> byName = GenresByName(catalogue);
        textRanks.assign(GenreCount, 0);
        for (std::size_t i = 0; i < byName.size(); ++i)
            textRanks[static_cast<std::size_t>(byName[i])] = static_cast<std::uint32_t>(i + 1);
    } else if (sort.column == TableColumn::Director) {
        textRanks = DirectorRanks(c, list);
    }
    const auto rankOf = [&](std::size_t value) { return value < textRanks.size() ? textRanks[value] : 0u; };
    const auto valueOf = [&](const TitleRecord& t, std::uint16_t at) -> std::uint32_t {
        switch (sort.column) {
        case TableColumn::Title:
            return at;
        case TableColumn::Year:
            return t.Year();
        case TableColumn::Medium:
            return rankOf(t.Support());
        case TableColumn::Director:
            return rankOf(std::min<std::size_t>(t.Director(), textRanks.size() - 1));
        case TableColumn::Genre:
            return rankOf(t.Genre());
        case TableColumn::Length:
            return t.Length();
        case TableColumn::Price:
            return OrderedFloat(t.Price());
        case TableColumn::Purchased:
            return OrderedInt(t.BuyDate());
        case TableColumn::Watched:
            return OrderedInt(t.WatchDate());
        case TableColumn::Marks:
            return std::uint32_t{t.FilmRating()} << 16 | std::uint32_t{t.PictureRating()} << 8 |
                   t.SoundRating();
        }
        return 0;
    };

    std::vector<std::uint64_t> keys(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::uint16_t r = list[i];
        std::uint64_t key = ~std::uint64_t{0} << 16; // beyond the collection: last either way
        if (r < n) {
            const std::uint32_t value = valueOf(c.titles[r], place[r]);
            key = std::uint64_t{sort.descending ? ~value : value} << 32 | std::uint64_t{place[r]} << 16;
        }
        keys[i] = key | r;
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i] = static_cast<std::uint16_t>(keys[i] & 0xFFFF);
}

} // namespace tavrin

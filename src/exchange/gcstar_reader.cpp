// GCstar's film collections (GCfilms): one <item> per film, its single values as attributes and
// its lists as elements of rows <line><col>…</col></line>. Older files write a list in an
// attribute instead, comma-separated, a two-column row as "Name (Role)".
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// A single value: the attribute, or an element of that name.
std::string Value(pugi::xml_node item, const char* name) {
    std::string value = Attr(item, name);
    return value.empty() ? ChildText(item, name) : value;
}

// "Name (Role), Other" as rows: commas inside parentheses do not separate.
Rows RowsFromText(std::string_view text) {
    Rows rows;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '(') ++depth;
        if (i < text.size() && text[i] == ')' && depth > 0) --depth;
        if (i < text.size() && (text[i] != ',' || depth > 0)) continue;
        const std::string_view piece = Trimmed(text.substr(start, i - start));
        start = i + 1;
        if (piece.empty()) continue;
        const std::size_t open = piece.find('(');
        if (piece.back() == ')' && open != std::string_view::npos && open > 0)
            rows.push_back({std::string(Trimmed(piece.substr(0, open))),
                            std::string(Trimmed(piece.substr(open + 1, piece.size() - open - 2)))});
        else
            rows.push_back({std::string(piece)});
    }
    return rows;
}

Rows ListRows(pugi::xml_node item, const char* name) {
    const pugi::xml_node list = item.child(name);
    if (!list.child("line")) return RowsFromText(CleanText(Value(item, name)));
    Rows rows;
    for (pugi::xml_node line : list.children("line")) {
        std::vector<std::string> row;
        for (pugi::xml_node col : line.children("col"))
            row.push_back(Text(col));
        if (!row.empty() && !row.front().empty()) rows.push_back(std::move(row));
    }
    return rows;
}

std::string Column(const std::vector<std::string>& row, std::size_t k) {
    return k < row.size() ? row[k] : std::string();
}

std::vector<std::string> FirstColumn(const Rows& rows) {
    std::vector<std::string> values;
    for (const auto& row : rows)
        AddOnce(values, Column(row, 0));
    return values;
}

std::optional<DayNumber> DayFirstDate(std::string_view text) {
    return ParseDate(text, DateOrder::DayFirst);
}

// What the reader takes; any other attribute with a value is kept as a line of the comments.
bool Known(std::string_view name) {
    static constexpr std::string_view Names[] = {
        "id",      "title",   "original", "date",      "time",     "director", "country",    "place",
        "actors",  "genre",   "tags",     "audio",     "subt",     "format",   "region",     "video",
        "age",     "rating",  "seen",     "favourite", "added",    "number",   "serie",      "synopsis",
        "comment", "webPage", "image",    "backpic",   "borrower", "lendDate", "borrowings",
    };
    return std::find(std::begin(Names), std::end(Names), name) != std::end(Names);
}

SourceTitle ReadItem(pugi::xml_node item) {
    SourceTitle t;
    NoteList notes;
    t.title = Value(item, "title");
    notes.Add("Original title", Value(item, "original"));
    const std::string date = Value(item, "date");
    t.year = YearIn(date);
    if (!t.year) notes.Line("Date", date);
    const std::string time = Value(item, "time");
    t.length = RunningMinutes(time);
    if (!t.length) notes.Line("Time", time);
    t.directors = SplitNames(Value(item, "director"));
    for (const auto& row : ListRows(item, "actors"))
        t.actors.push_back({row[0], Column(row, 1)});
    t.genres = FirstColumn(ListRows(item, "genre"));
    for (const auto& row : ListRows(item, "audio"))
        t.audio.push_back({row[0], Column(row, 1), {}});
    t.subtitles = FirstColumn(ListRows(item, "subt"));
    t.medium = Value(item, "format");
    if (std::string region = Value(item, "region"); !region.empty()) t.regions.push_back(std::move(region));
    t.standard = Value(item, "video");
    t.certificationAge = LeadingNumber(Value(item, "age"));
    t.filmRating = Value(item, "rating");
    t.ratingMaximum = 10;
    if (IsTrue(Value(item, "seen"))) t.viewings = 1;
    const std::string added = Value(item, "added");
    t.buyDate = DayFirstDate(added);
    if (!t.buyDate) notes.Line("Added", added);
    AddDiscSides(t, false, false, false, LeadingNumber(Value(item, "number")).value_or(0));
    if (std::string serie = Value(item, "serie"); !serie.empty()) t.boxes.push_back(std::move(serie));
    t.cover.path = Value(item, "image");

    notes.Add("Country", Value(item, "country"));
    notes.Add("Location", Value(item, "place"));
    std::vector<std::string> tags = FirstColumn(ListRows(item, "tags"));
    if (IsTrue(Value(item, "favourite"))) tags.push_back("Favourite");
    notes.Add("Tags", tags);
    std::string web = Value(item, "webPage");
    web.erase(std::min(web.find("##"), web.size()));
    notes.Add("Web", web);

    std::vector<std::string> lent;
    if (const std::string borrower = Value(item, "borrower"); !borrower.empty() && borrower != "none")
        lent.push_back(LoanText({borrower, DayFirstDate(Value(item, "lendDate")), {}, {}, {}}));
    for (const auto& row : ListRows(item, "borrowings")) {
        Loan loan{row[0], DayFirstDate(Column(row, 1)), {}, DayFirstDate(Column(row, 2)), {}};
        lent.push_back(LoanText(loan));
    }
    notes.Add("Lent to", lent);

    notes.Add("Plot", Value(item, "synopsis"));
    notes.Add("Comments", Value(item, "comment"));
    for (pugi::xml_attribute a : item.attributes()) {
        const std::string value = CleanText(Trimmed(a.value()));
        if (!Known(a.name()) && !value.empty() && value != "0") notes.Line(CleanText(a.name()), value);
    }
    t.notes = notes.Take();
    return t;
}

} // namespace

CatalogueRead ReadGcstar(std::span<const std::uint8_t> bytes) {
    auto doc = ParseCatalogueXml(bytes, {"collection"});
    if (!doc) return Unexpected(doc.error());
    const pugi::xml_node root = (*doc)->document_element();
    if (const std::string type = Attr(root, "type"); type != "GCfilms")
        return Unexpected(
            CatalogueFailure{CatalogueError::NotACatalogue, "a GCstar collection of type " + type});
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::GCstar;
    for (pugi::xml_node item : root.children("item"))
        catalogue.titles.push_back(ReadItem(item));
    return catalogue;
}

} // namespace tavrin

// Griffith's XML export: <root> with one <movie> per film, one child per exported column, values
// padded with line breaks and tabs.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tavrin {
namespace {

// Genres are joined by " / " or ", ".
std::vector<std::string> Genres(std::string_view text) {
    std::vector<std::string> genres;
    while (!text.empty()) {
        const std::size_t slash = text.find(" / "), comma = text.find(", ");
        const std::size_t at = std::min(slash, comma);
        AddOnce(genres, std::string(Trimmed(text.substr(0, at))));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + (at == slash ? 3 : 2));
    }
    return genres;
}

// One actor a line, "Name as Role": the first " as " separates, a name may hold "as" itself.
std::vector<SourcePerson> Cast(std::string_view text) {
    std::vector<SourcePerson> cast;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty()) continue;
        const std::size_t as = line.find(" as ");
        if (as == std::string_view::npos)
            cast.push_back({std::string(line), {}});
        else
            cast.push_back(
                {std::string(Trimmed(line.substr(0, as))), std::string(Trimmed(line.substr(as + 4)))});
    }
    return cast;
}

bool Known(std::string_view name) {
    static constexpr std::string_view Names[] = {
        "number",           "title",        "o_title", "year",   "runtime",
        "director",         "cast",         "studio",  "genre",  "country",
        "classification",   "rating",       "seen",    "loaned", "media_name",
        "collections_name", "volumes_name", "plot",    "notes",  "site",
        "o_site",           "trailer",      "image",
    };
    return std::find(std::begin(Names), std::end(Names), name) != std::end(Names);
}

SourceTitle ReadMovie(pugi::xml_node movie) {
    SourceTitle t;
    NoteList notes;
    t.title = ChildText(movie, "title");
    notes.Add("Original title", ChildText(movie, "o_title"));
    t.year = LeadingNumber(ChildText(movie, "year")).value_or(0);
    t.length = RunningMinutes(ChildText(movie, "runtime"));
    t.directors = SplitNames(ChildText(movie, "director"));
    t.actors = Cast(ChildText(movie, "cast"));
    // Kept whole: " / " occurs inside studios' names.
    AddOnce(t.publishers, ChildText(movie, "studio"));
    t.genres = Genres(ChildText(movie, "genre"));
    notes.Add("Country", ChildText(movie, "country"));
    t.certification = ChildText(movie, "classification");
    t.filmRating = ChildText(movie, "rating");
    t.ratingMaximum = 10;
    if (IsTrue(ChildText(movie, "seen"))) t.viewings = 1;
    if (IsTrue(ChildText(movie, "loaned"))) notes.Add("Lent to", LoanText({}));
    t.medium = ChildText(movie, "media_name");
    AddOnce(t.boxes, ChildText(movie, "collections_name"));
    AddOnce(t.boxes, ChildText(movie, "volumes_name"));
    std::vector<std::string> web;
    for (const char* site : {"site", "o_site", "trailer"})
        AddOnce(web, ChildText(movie, site));
    notes.Add("Web", web);
    t.cover.path = ChildText(movie, "image");
    notes.Add("Plot", ChildText(movie, "plot"));
    notes.Add("Comments", ChildText(movie, "notes"));
    for (pugi::xml_node child : movie.children()) {
        const std::string value = Text(child);
        if (child.type() == pugi::node_element && !Known(child.name()) && !value.empty() && value != "0")
            notes.Line(CleanText(child.name()), value);
    }
    t.notes = notes.Take();
    return t;
}

} // namespace

CatalogueRead ReadGriffith(std::span<const std::uint8_t> bytes) {
    auto doc = ParseCatalogueXml(bytes, {"root"});
    if (!doc) return Unexpected(doc.error());
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::Griffith;
    for (pugi::xml_node movie : (*doc)->document_element().children("movie"))
        catalogue.titles.push_back(ReadMovie(movie));
    return catalogue;
}

} // namespace tavrin

// Data Crow's XML export, versions 3/4 and 5: <data-crow-objects> with the films as <movie>
// (version 5: inside <movie-items>, followed by lookup lists that are not read). A list is a
// wrapper of items each with a <name> (version 5: the wrapper named "…-items", and single choices
// such as the storage medium become such lists too); the flattened "…-list" copies are not read,
// since names can hold the commas that join them.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <string>
#include <vector>

namespace tavrin {
namespace {

// The names of a list: the items of the wrapper base and of base-items, each its <name> or its text.
std::vector<std::string> Items(pugi::xml_node movie, const std::string& base) {
    std::vector<std::string> values;
    for (const std::string& wrapper : {base, base + "-items"})
        for (pugi::xml_node item : movie.child(wrapper.c_str()).children()) {
            if (item.type() != pugi::node_element) continue;
            const std::string name = ChildText(item, "name");
            AddOnce(values, name.empty() ? Text(item) : name);
        }
    return values;
}

// A single choice: the element's text, or the first name of its list.
std::string Choice(pugi::xml_node movie, const std::string& name) {
    const pugi::xml_node node = movie.child(name.c_str());
    if (std::string text = Text(node); !text.empty()) return text;
    if (std::string text = ChildText(node, "name"); !text.empty()) return text;
    const auto items = Items(movie, name);
    return items.empty() ? std::string() : items.front();
}

std::optional<DayNumber> DateOf(std::string_view text) {
    return ParseDate(text, DateOrder::DayFirst);
}

SourceTitle ReadMovie(pugi::xml_node movie, bool version5) {
    SourceTitle t;
    NoteList notes;
    t.title = ChildText(movie, "title");
    notes.Add("Other titles", ChildText(movie, "title-local"));
    t.year = LeadingNumber(ChildText(movie, "year")).value_or(0);
    t.length = RunningMinutes(ChildText(movie, "playlength"), version5);
    t.medium = Choice(movie, "storage-medium");
    if (std::string ratio = Choice(movie, "aspect-ratio"); !ratio.empty()) t.aspectRatios.push_back(ratio);
    t.color = Choice(movie, "color");
    t.certification = Choice(movie, "certification");
    t.filmRating = Choice(movie, "rating");
    t.ratingMaximum = 10;
    if (const std::string state = Choice(movie, "state"); SameWord(state, "Seen"))
        t.viewings = 1;
    else
        notes.Line("State", state);
    AddOnce(t.boxes, Choice(movie, "series"));
    t.buyDate = DateOf(ChildText(movie, "created"));

    t.directors = Items(movie, "directors");
    for (std::string& actor : Items(movie, "actors"))
        t.actors.push_back({std::move(actor), {}});
    t.genres = Items(movie, "genres");
    for (std::string& language : Items(movie, "audio-languages"))
        t.audio.push_back({std::move(language), {}, {}});
    t.subtitles = Items(movie, "subtitle-languages");
    notes.Add("Country", Items(movie, "countries"));
    notes.Add("Languages", Items(movie, "languages"));
    notes.Add("Tags", Items(movie, "tags"));

    const std::string status = Choice(movie, "loan-status");
    Loan loan{Choice(movie, "lend-by"),
              DateOf(ChildText(movie, "loan-start-date")),
              DateOf(ChildText(movie, "due-date")),
              DateOf(ChildText(movie, "loan-end-date")),
              {}};
    if (loan.returned || (!status.empty() && !SameWord(status, "Available")))
        notes.Add("Lent to", LoanText(loan));

    notes.Add("Web", ChildText(movie, "webpage"));
    notes.Add("Barcode", ChildText(movie, "ean"));
    notes.Add("Plot", ChildText(movie, "description"));
    for (pugi::xml_node child : movie.children())
        if (const std::string_view name = child.name(); name.starts_with("user-"))
            notes.Line(CleanText(name.substr(5)), Text(child));

    if (version5) {
        for (int k = 1; k <= 10 && t.cover.path.empty(); ++k) {
            const std::string name = (k < 10 ? "picture-0" : "picture-") + std::to_string(k);
            t.cover.path = ChildText(movie, name.c_str());
        }
    } else {
        t.cover.path = ChildText(movie, "picture-front");
    }
    t.notes = notes.Take();
    return t;
}

} // namespace

CatalogueRead ReadDataCrow(std::span<const std::uint8_t> bytes) {
    auto doc = ParseCatalogueXml(bytes, {"data-crow-objects"});
    if (!doc) return Unexpected(doc.error());
    const pugi::xml_node root = (*doc)->document_element();
    const pugi::xml_node items = root.child("movie-items");
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::DataCrow;
    for (pugi::xml_node movie : (items ? items : root).children("movie"))
        catalogue.titles.push_back(ReadMovie(movie, bool(items)));
    return catalogue;
}

} // namespace tavrin

// Collectorz Movie Collector's XML export: <movieinfo> with a <movielist> of <movie>. A value taken
// from one of its lists is an element with <displayname> (and a sort name and more): the display
// name is the value. Lists are a wrapper of repeated elements.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <string>
#include <vector>

namespace tavrin {
namespace {

// The value of a list-backed element: its display name, else its own text.
std::string Display(pugi::xml_node node) {
    const pugi::xml_node name = node.child("displayname");
    return name ? Text(name) : Text(node);
}

std::vector<std::string> Displays(pugi::xml_node list, const char* item) {
    std::vector<std::string> values;
    for (pugi::xml_node v : list.children(item))
        AddOnce(values, Display(v));
    return values;
}

std::optional<DayNumber> MonthFirst(std::string_view text) {
    return ParseDate(text, DateOrder::MonthFirst);
}

// "004 Dolby Digital 5.1 [French]": a sort number, the format, the language in brackets.
SourceAudio AudioTrack(std::string_view text) {
    SourceAudio track;
    const std::size_t open = text.rfind('[');
    if (!text.empty() && text.back() == ']' && open != std::string_view::npos) {
        track.language = Trimmed(text.substr(open + 1, text.size() - open - 2));
        text = text.substr(0, open);
    }
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits > 0 && digits < text.size() && text[digits] == ' ') text.remove_prefix(digits);
    track.format = Trimmed(text);
    return track;
}

std::optional<DayNumber> PurchaseDate(pugi::xml_node date) {
    const auto year = LeadingNumber(Display(date.child("year")));
    const auto month = LeadingNumber(Display(date.child("month")));
    const auto day = LeadingNumber(Display(date.child("day")));
    if (year && month && day)
        if (const auto parts = DateFromParts(*year, *month, *day)) return parts;
    const std::string text = ChildText(date, "date");
    return MonthFirst(text.empty() ? Text(date) : text);
}

SourceTitle ReadMovie(pugi::xml_node movie) {
    SourceTitle t;
    NoteList notes;
    t.title = ChildText(movie, "title");
    t.year = LeadingNumber(Display(movie.child("releasedate").child("year"))).value_or(0);
    t.length = RunningMinutes(ChildText(movie, "runtime"));
    if (!t.length) t.length = RunningMinutes(ChildText(movie, "runtimeminutes"));
    t.medium = Display(movie.child("format"));

    std::vector<std::string> writers, producers, crew;
    for (pugi::xml_node star : movie.child("cast").children("star")) {
        const std::string name = Display(star.child("person")), role = Display(star.child("role"));
        if (name.empty()) continue;
        if (role.empty() || role == "Actor")
            t.actors.push_back({name, Display(star.child("character"))});
        else
            crew.push_back(role + ": " + name);
    }
    for (pugi::xml_node member : movie.child("crew").children("crewmember")) {
        const std::string name = Display(member.child("person"));
        const std::string id = Display(member.child("roleid")), role = Display(member.child("role"));
        if (name.empty()) continue;
        if (id == "dfDirector" || (id.empty() && role == "Director"))
            AddOnce(t.directors, name);
        else if (id == "dfMusic" || (id.empty() && (role == "Musician" || role == "Composer")))
            AddOnce(t.composers, name);
        else if (id == "dfWriter" || (id.empty() && role == "Writer"))
            AddOnce(writers, name);
        else if (id == "dfProducer" || (id.empty() && role == "Producer"))
            AddOnce(producers, name);
        else
            crew.push_back((role.empty() ? id : role) + ": " + name);
    }
    notes.Add("Writers", writers);
    notes.Add("Producers", producers);
    notes.Add("Crew", crew);

    // The disc's distributor first, the film studios after it.
    AddOnce(t.publishers, Display(movie.child("distributor")));
    for (std::string& studio : Displays(movie.child("studios"), "studio"))
        AddOnce(t.publishers, std::move(studio));
    t.genres = Displays(movie.child("genres"), "genre");
    t.regions = Displays(movie.child("regions"), "region");
    t.aspectRatios = Displays(movie.child("ratios"), "ratio");
    t.color = Display(movie.child("color"));
    for (pugi::xml_node audio : movie.child("audios").children("audio"))
        if (const std::string text = Display(audio); !text.empty()) t.audio.push_back(AudioTrack(text));
    t.subtitles = Displays(movie.child("subtitles"), "subtitle");
    t.certification = Display(movie.child("mpaarating"));

    for (pugi::xml_node rating : movie.children("myrating"))
        if (t.filmRating = Display(rating); !t.filmRating.empty()) break;
    t.ratingMaximum = 10;
    const pugi::xml_node seen = movie.child("seenit");
    t.watchDate = MonthFirst(Display(movie.child("viewingdate")));
    if (IsTrue(Attr(seen, "boolvalue")) || IsTrue(Text(seen)) || t.watchDate) t.viewings = 1;
    t.price = Display(movie.child("purchaseprice"));
    t.buyDate = PurchaseDate(movie.child("purchasedate"));
    t.retailer = Display(movie.child("store"));
    t.trade = Display(movie.child("collectionstatus"));
    AddOnce(t.boxes, Display(movie.child("boxset")));
    AddOnce(t.boxes, Display(movie.child("series")));

    const std::string edition = Display(movie.child("edition"));
    notes.Add("Edition", edition);
    t.directorsCut = ContainsNoCase(edition, "director's cut") || ContainsNoCase(edition, "directors cut");
    for (const char* list : {"features", "extras"})
        for (pugi::xml_node extra : movie.child(list).children())
            if (extra.type() == pugi::node_element) AddOnce(t.extras, Display(extra));

    // The discs: a count and how they are made, for the sides; their titles and episodes kept.
    const std::string layers = Display(movie.child("layers"));
    const auto count = LeadingNumber(Display(movie.child("nritems")));
    const bool dualSided = ContainsNoCase(layers, "dual side") || ContainsNoCase(layers, "double side");
    const bool dualLayer = ContainsNoCase(layers, "dual layer") || ContainsNoCase(layers, "double layer");
    AddDiscSides(t, dualSided, dualLayer, dualLayer, count.value_or(layers.empty() ? 0 : 1));
    std::vector<std::string> discs, episodes;
    if (!layers.empty() && !ContainsNoCase(layers, "side") && !ContainsNoCase(layers, "layer"))
        discs.push_back(layers);
    for (pugi::xml_node disc : movie.child("discs").children("disc")) {
        AddOnce(discs, Display(disc.child("title")));
        for (pugi::xml_node episode : disc.child("episodes").children("episode")) {
            const std::string title = Display(episode.child("title"));
            episodes.push_back(title.empty() ? Display(episode) : title);
        }
    }
    notes.Add("Discs", discs);
    notes.Add("Episodes", Joined(episodes, "\n"));

    std::vector<std::string> countries = Displays(movie, "country"), languages = Displays(movie, "language");
    for (std::string& c : Displays(movie.child("countries"), "country"))
        AddOnce(countries, std::move(c));
    for (std::string& l : Displays(movie.child("languages"), "language"))
        AddOnce(languages, std::move(l));
    notes.Add("Country", countries);
    notes.Add("Languages", languages);
    notes.Add("Location", Display(movie.child("location")));

    // The loan's fields are declared by the file, their elements' names not known: each element
    // whose name starts with "loan" is taken by the words its name holds (due, return, date, note;
    // else the borrower). A date that does not read stays in the note.
    Loan loan;
    bool lent = false;
    for (pugi::xml_node child : movie.children()) {
        const std::string_view name = child.name();
        const std::string value = Display(child);
        if (!name.starts_with("loan") || value.empty()) continue;
        lent = true;
        std::optional<DayNumber>* date = ContainsNoCase(name, "due")      ? &loan.due
                                         : ContainsNoCase(name, "return") ? &loan.returned
                                         : ContainsNoCase(name, "date")   ? &loan.since
                                                                          : nullptr;
        if (date && (*date = MonthFirst(value))) continue;
        std::string& into = date || ContainsNoCase(name, "note") ? loan.note : loan.name;
        into += (into.empty() ? "" : "; ") + value;
    }
    if (lent) notes.Add("Lent to", LoanText(loan));

    std::vector<std::string> links;
    for (pugi::xml_node link : movie.child("links").children("link"))
        AddOnce(links, ChildText(link, "url"));
    notes.Add("Web", links);
    notes.Add("Barcode", Display(movie.child("upc")));
    notes.Add("Plot", PlainFromHtml(ChildText(movie, "plot")));
    notes.Add("Comments", PlainFromHtml(ChildText(movie, "notes")));

    t.cover.path = Display(movie.child("poster"));
    if (t.cover.path.empty()) t.cover.path = Display(movie.child("thumbfilepath"));
    t.notes = notes.Take();
    return t;
}

} // namespace

CatalogueRead ReadCollectorz(std::span<const std::uint8_t> bytes) {
    auto doc = ParseCatalogueXml(bytes, {"movieinfo"});
    if (!doc) return Unexpected(doc.error());
    const pugi::xml_node list = (*doc)->document_element().child("movielist");
    if (!list) return Unexpected(CatalogueFailure{CatalogueError::NotACatalogue, "no movie list"});
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::Collectorz;
    for (pugi::xml_node movie : list.children("movie"))
        catalogue.titles.push_back(ReadMovie(movie));
    return catalogue;
}

} // namespace tavrin

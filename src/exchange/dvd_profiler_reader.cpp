// DVD Profiler's Collection.xml: one <DVD> profile per title under <Collection> (or a lone <DVD>),
// written in Windows-1252. A box set is a profile of its own whose members name it by ID: the
// members' box is the set's title.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavrin {
namespace {

std::optional<DayNumber> DateOf(std::string_view text) {
    return ParseDate(text, DateOrder::DayFirst);
}

// First, middle and last name as one; the credited name when there are none.
std::string PersonName(pugi::xml_node person) {
    std::vector<std::string> parts{Attr(person, "FirstName"), Attr(person, "MiddleName"),
                                   Attr(person, "LastName")};
    std::string name = Joined(parts, " ");
    return name.empty() ? Attr(person, "CreditedAs") : name;
}

std::vector<std::string> Texts(pugi::xml_node list, const char* item) {
    std::vector<std::string> values;
    for (pugi::xml_node v : list.children(item))
        AddOnce(values, Text(v));
    return values;
}

// A price as written with its currency: "12.50 EUR". Nothing for an empty or zero price.
std::string Price(pugi::xml_node price) {
    const std::string value = Text(price);
    if (value.find_first_of("123456789") == std::string::npos) return {};
    const std::string currency = Attr(price, "DenominationType");
    return currency.empty() ? value : value + " " + currency;
}

std::string ColorName(pugi::xml_node colors) {
    const bool color = IsTrue(ChildText(colors, "ClrColor")),
               bw = IsTrue(ChildText(colors, "ClrBlackAndWhite"));
    if (IsTrue(ChildText(colors, "ClrMixed")) || (color && bw)) return "Color and B&W";
    if (IsTrue(ChildText(colors, "ClrColorized"))) return "Colorized";
    return bw ? "Black & White" : color ? "Color" : "";
}

struct Profile {
    std::string id, parent;
    SourceTitle title;
};

Profile ReadProfile(pugi::xml_node dvd) {
    Profile p;
    p.id = ChildText(dvd, "ID");
    p.parent = ChildText(dvd.child("BoxSet"), "Parent");
    SourceTitle& t = p.title;
    NoteList notes;
    t.title = ChildText(dvd, "Title");
    notes.Add("Original title", ChildText(dvd, "OriginalTitle"));
    const std::string edition = ChildText(dvd, "DistTrait");
    notes.Add("Edition", edition);
    t.directorsCut = ContainsNoCase(edition, "director's cut") || ContainsNoCase(edition, "directors cut");
    t.year = LeadingNumber(ChildText(dvd, "ProductionYear")).value_or(0);
    t.length = RunningMinutes(ChildText(dvd, "RunningTime"));
    t.trade = ChildText(dvd, "CollectionType");

    std::vector<std::string> media;
    for (pugi::xml_node type : dvd.child("MediaTypes").children())
        if (type.type() == pugi::node_element && IsTrue(Text(type))) media.emplace_back(type.name());
    t.medium = CleanText(Joined(media, ", "));

    for (pugi::xml_node actor : dvd.child("Actors").children("Actor"))
        if (std::string name = PersonName(actor); !name.empty())
            t.actors.push_back({name, Attr(actor, "Role")});
    std::vector<std::string> writers, producers, crew;
    for (pugi::xml_node credit : dvd.child("Credits").children("Credit")) {
        const std::string name = PersonName(credit);
        const std::string type = Attr(credit, "CreditType"), job = Attr(credit, "CreditSubtype");
        if (name.empty()) continue;
        if (type == "Direction" && job == "Director")
            AddOnce(t.directors, name);
        else if (type == "Music" && job == "Composer")
            AddOnce(t.composers, name);
        else if (type == "Writing")
            AddOnce(writers, name);
        else if (type == "Production")
            AddOnce(producers, name);
        else
            crew.push_back((job.empty() ? type : job) + ": " + name);
    }
    notes.Add("Writers", writers);
    notes.Add("Producers", producers);
    notes.Add("Crew", crew);

    // The disc's publisher first; the film studios after it, for the review text.
    t.publishers = Texts(dvd.child("MediaCompanies"), "MediaCompany");
    for (std::string& studio : Texts(dvd.child("Studios"), "Studio"))
        AddOnce(t.publishers, std::move(studio));
    t.genres = Texts(dvd.child("Genres"), "Genre");
    t.regions = Texts(dvd.child("Regions"), "Region");

    const pugi::xml_node format = dvd.child("Format");
    if (std::string ratio = ChildText(format, "FormatAspectRatio"); !ratio.empty())
        t.aspectRatios.push_back(ratio);
    t.standard = ChildText(format, "FormatVideoStandard");
    t.panScan = IsTrue(ChildText(format, "FormatPanAndScan")) || IsTrue(ChildText(format, "FormatFullFrame"));
    t.widescreen = IsTrue(ChildText(format, "Format16X9"));
    t.color = ColorName(format.child("ColorFormat") ? format.child("ColorFormat") : dvd.child("ColorFormat"));

    for (pugi::xml_node feature : dvd.child("Features").children()) {
        const std::string_view name = feature.name();
        if (name.starts_with("Feature") && name.size() > 7 && IsTrue(Text(feature)))
            t.extras.emplace_back(CleanText(name.substr(7)));
    }
    if (std::string other = ChildText(dvd.child("Features"), "OtherFeatures"); !other.empty())
        t.extras.push_back(std::move(other));

    for (pugi::xml_node track : dvd.child("Audio").children("AudioTrack"))
        t.audio.push_back({ChildText(track, "AudioContent"), ChildText(track, "AudioFormat"),
                           ChildText(track, "AudioChannels")});
    t.subtitles = Texts(dvd.child("Subtitles"), "Subtitle");

    t.certification = ChildText(dvd, "Rating");
    t.certificationSystem = ChildText(dvd, "RatingSystem");
    if (const auto age = LeadingNumber(ChildText(dvd, "RatingAge")); age && *age > 0)
        t.certificationAge = age;

    const pugi::xml_node review = dvd.child("Review");
    t.filmRating = Attr(review, "Film");
    t.pictureRating = Attr(review, "Video");
    t.soundRating = Attr(review, "Audio");
    t.ratingMaximum = 10;
    if (const std::string extras = Attr(review, "Extras"); LeadingNumber(extras).value_or(0) > 0)
        notes.Line("Extras review", extras + " of 10");

    const pugi::xml_node purchase = dvd.child("PurchaseInfo");
    t.price = Price(purchase.child("PurchasePrice"));
    t.buyDate = DateOf(ChildText(purchase, "PurchaseDate"));
    t.retailer = ChildText(purchase, "PurchasePlace");
    const pugi::xml_node srp = dvd.child("SRP") ? dvd.child("SRP") : purchase.child("SRP");
    notes.Line("List price", Attr(srp, "FormattedValue").empty() ? Price(srp) : Attr(srp, "FormattedValue"));

    std::vector<std::string> discTexts, locations;
    if (dvd.child("Discs").child("Disc")) {
        for (pugi::xml_node disc : dvd.child("Discs").children("Disc")) {
            AddDiscSides(t, IsTrue(ChildText(disc, "DualSided")), IsTrue(ChildText(disc, "DualLayeredSideA")),
                         IsTrue(ChildText(disc, "DualLayeredSideB")));
            AddOnce(discTexts, ChildText(disc, "DescriptionSideA"));
            AddOnce(discTexts, ChildText(disc, "DescriptionSideB"));
            const std::string slot = ChildText(disc, "Slot");
            AddOnce(locations,
                    Joined({ChildText(disc, "Location"), slot.empty() ? slot : "slot " + slot}, ", "));
        }
    } else if (format.child("FormatDualLayered") || format.child("FormatDualSided")) {
        // Older files describe the one disc in the format.
        const bool dualLayer = IsTrue(ChildText(format, "FormatDualLayered"));
        AddDiscSides(t, IsTrue(ChildText(format, "FormatDualSided")), dualLayer, dualLayer);
    }
    notes.Add("Discs", discTexts);
    notes.Add("Location", locations);

    std::optional<DayNumber> watched;
    for (pugi::xml_node event : dvd.child("Events").children("Event")) {
        if (ChildText(event, "EventType") != "Watched") continue;
        ++t.viewings;
        if (const auto day = DateOf(ChildText(event, "Timestamp")); day && (!watched || *day > *watched))
            watched = day;
    }
    t.watchDate = watched;

    notes.Add("Country",
              std::vector<std::string>{ChildText(dvd, "CountryOfOrigin"), ChildText(dvd, "CountryOfOrigin2"),
                                       ChildText(dvd, "CountryOfOrigin3")});
    const pugi::xml_node loan = dvd.child("LoanInfo");
    if (IsTrue(ChildText(loan, "Loaned")))
        notes.Add("Lent to",
                  LoanText({PersonName(loan.child("User")), {}, DateOf(ChildText(loan, "Due")), {}, {}}));
    std::vector<std::string> tags;
    for (pugi::xml_node tag : dvd.child("Tags").children("Tag"))
        AddOnce(tags, Attr(tag, "Name"));
    notes.Add("Tags", tags);
    std::vector<std::string> links;
    for (pugi::xml_node link : dvd.child("MyLinks").children()) {
        const std::string url = Attr(link, "URL");
        AddOnce(links, url.empty() ? Text(link) : url);
    }
    notes.Add("Web", links);
    notes.Add("Barcode", ChildText(dvd, "UPC"));
    notes.Add("Plot", PlainFromHtml(ChildText(dvd, "Overview")));
    notes.Add("Comments", PlainFromHtml(ChildText(dvd, "Notes")));
    notes.Add("Comments", PlainFromHtml(ChildText(dvd, "EasterEggs")));
    t.notes = notes.Take();
    return p;
}

} // namespace

CatalogueRead ReadDvdProfiler(std::span<const std::uint8_t> bytes) {
    auto doc = ParseCatalogueXml(bytes, {"Collection", "DVD"}, XmlFallback::Cp1252);
    if (!doc) return Unexpected(doc.error());
    const pugi::xml_node root = (*doc)->document_element();
    std::vector<Profile> profiles;
    if (std::string_view(root.name()) == "DVD")
        profiles.push_back(ReadProfile(root));
    else
        for (pugi::xml_node dvd : root.children("DVD"))
            profiles.push_back(ReadProfile(dvd));

    std::unordered_map<std::string, std::size_t> byId;
    for (std::size_t i = 0; i < profiles.size(); ++i)
        byId.emplace(profiles[i].id, i);
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::DvdProfiler;
    for (Profile& p : profiles) {
        if (const auto set = byId.find(p.parent); !p.parent.empty() && set != byId.end())
            AddOnce(p.title.boxes, profiles[set->second].title.title);
    }
    for (Profile& p : profiles)
        catalogue.titles.push_back(std::move(p.title));
    return catalogue;
}

} // namespace tavrin

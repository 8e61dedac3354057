// Tellico: a zip holding tellico.xml and images/<id>, or the bare XML with its pictures in
// base64. Only video collections (type 3) of syntax version 11 or older are read. Each field of an
// entry is one element, a multi-valued one a wrapper named with an "s" around one element per
// value; the fields' declarations give the rating's scale, which values are paragraphs of HTML and
// the titles of the user's own fields.
#include "exchange/catalogue_source.h"
#include "exchange/catalogue_xml.h"
#include "exchange/value_rules.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace tavrin {
namespace {

constexpr std::size_t XmlMemberLimit = 256u << 20;

enum FieldType { Line = 1, Paragraph = 2, Checkbox = 4, Table = 8, Image = 10, Date = 12, Rating = 14 };

struct FieldInfo {
    std::string title;
    int type = Line;
    double maximum = 5;
};

// The default video fields whose values no field of a title takes, or whose kind the reader must
// know when the file only declares "_default".
const std::unordered_map<std::string, FieldInfo>& DefaultFields() {
    static const std::unordered_map<std::string, FieldInfo> fields{
        {"plot", {"Plot Summary", Paragraph}},
        {"comments", {"Comments", Paragraph}},
        {"cover", {"Cover", Image}},
        {"cdate", {"Date Created", Date}},
        {"mdate", {"Date Modified", Date}},
        {"rating", {"Rating", Rating}},
        {"gift", {"Gift", Checkbox}},
        {"cast", {"Cast", Table}},
        {"running-time", {"Running Time", Line}},
        {"pur_date", {"Purchase Date", Line}},
    };
    return fields;
}

// A zip open on bytes that stay the caller's.
class ZipArchive {
  public:
    explicit ZipArchive(std::span<const std::uint8_t> bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!zip_) zip_source_free(source);
        }
        if (!zip_) reason_ = zip_error_strerror(&error);
        zip_error_fini(&error);
    }
    ~ZipArchive() {
        if (zip_) zip_discard(zip_);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool Open() const { return zip_ != nullptr; }
    const std::string& Reason() const { return reason_; }
    bool Has(const std::string& name) const { return zip_name_locate(zip_, name.c_str(), 0) >= 0; }

    // The member's bytes; nothing when it is missing, does not read, or holds more than limit.
    // Read in pieces as they come: the size its header claims is not trusted.
    std::optional<std::vector<std::uint8_t>> Member(const std::string& name, std::size_t limit,
                                                    bool* tooLarge = nullptr) const {
        const zip_int64_t index = zip_name_locate(zip_, name.c_str(), 0);
        if (index < 0) return std::nullopt;
        zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
        if (!file) return std::nullopt;
        std::vector<std::uint8_t> bytes;
        std::uint8_t piece[64 * 1024];
        bool ok = true;
        for (;;) {
            const zip_int64_t n = zip_fread(file, piece, sizeof piece);
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0) break;
            if (bytes.size() + static_cast<std::size_t>(n) > limit) {
                if (tooLarge) *tooLarge = true;
                ok = false;
                break;
            }
            bytes.insert(bytes.end(), piece, piece + n);
        }
        zip_fclose(file);
        if (!ok) return std::nullopt;
        return bytes;
    }

  private:
    zip_t* zip_ = nullptr;
    std::string reason_;
};

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

class TellicoReader {
  public:
    TellicoReader(pugi::xml_node collection, const ZipArchive* zip, std::size_t coverBudget)
        : collection_(collection), zip_(zip), coverBudget_(coverBudget) {}

    SourceCatalogue Read(pugi::xml_node root) {
        ReadFields();
        ReadLoans(root.child("borrowers"));
        ReadLoans(collection_.child("borrowers"));
        for (pugi::xml_node image : collection_.child("images").children("image"))
            images_.emplace(Attr(image, "id"), image);
        SourceCatalogue catalogue;
        catalogue.format = CatalogueFormat::Tellico;
        for (pugi::xml_node entry : collection_.children("entry"))
            catalogue.titles.push_back(ReadEntry(entry));
        return catalogue;
    }

  private:
    const FieldInfo& Field(const std::string& name) {
        if (const auto it = fields_.find(name); it != fields_.end()) return it->second;
        if (const auto it = DefaultFields().find(name); it != DefaultFields().end()) return it->second;
        return fields_.emplace(name, FieldInfo{name, Line}).first->second;
    }

    void ReadFields() {
        for (pugi::xml_node field : collection_.child("fields").children("field")) {
            const std::string name = Attr(field, "name");
            if (name.empty() || name == "_default") continue;
            FieldInfo info;
            info.title = Attr(field, "title");
            if (info.title.empty()) info.title = name;
            info.type = LeadingNumber(Attr(field, "type")).value_or(Line);
            for (pugi::xml_node prop : field.children("prop"))
                if (Attr(prop, "name") == "maximum")
                    if (const auto max = LeadingNumber(Text(prop)); max && *max > 0) info.maximum = *max;
            fields_[name] = std::move(info);
        }
    }

    static std::optional<DayNumber> DateAttr(pugi::xml_node node, const char* name) {
        return ParseDate(Attr(node, name));
    }

    void ReadLoans(pugi::xml_node borrowers) {
        for (pugi::xml_node borrower : borrowers.children("borrower"))
            for (pugi::xml_node loan : borrower.children("loan"))
                loans_[Attr(loan, "entryRef")].push_back({Attr(borrower, "name"),
                                                          DateAttr(loan, "loanDate"),
                                                          DateAttr(loan, "dueDate"),
                                                          {},
                                                          Text(loan)});
    }

    // A date field's value: its <year>, <month>, <day> parts.
    static std::optional<DayNumber> DateValue(pugi::xml_node value) {
        const auto year = LeadingNumber(ChildText(value, "year"));
        const auto month = LeadingNumber(ChildText(value, "month"));
        const auto day = LeadingNumber(ChildText(value, "day"));
        if (!year || !month || !day) return std::nullopt;
        return DateFromParts(*year, *month, *day);
    }
    // The same as the review text writes it, with the parts there are.
    static std::string DateValueText(pugi::xml_node value) {
        if (const auto date = DateValue(value)) return DateText(*date);
        std::string text;
        for (const char* part : {"year", "month", "day"}) {
            const std::string v = ChildText(value, part);
            if (v.empty()) break;
            text += (text.empty() ? "" : "-") + v;
        }
        return text.empty() ? Text(value) : text;
    }

    // A table row: its <column> values; an older file writes the columns in one text joined by "::".
    static std::vector<std::string> Row(pugi::xml_node value) {
        std::vector<std::string> row;
        for (pugi::xml_node column : value.children("column"))
            row.push_back(Text(column));
        if (!row.empty() || value.child("column")) return row;
        const std::string whole = Text(value);
        std::string_view text = whole;
        for (std::size_t at; (at = text.find("::")) != std::string_view::npos; text.remove_prefix(at + 2))
            row.emplace_back(Trimmed(text.substr(0, at)));
        row.emplace_back(Trimmed(text));
        return row;
    }

    std::string ValueText(const FieldInfo& field, pugi::xml_node value) {
        switch (field.type) {
        case Paragraph:
            return PlainFromHtml(Text(value));
        case Table:
            return Joined(Row(value), ", ");
        case Date:
            return DateValueText(value);
        case Checkbox:
            return IsTrue(Text(value)) ? "Yes" : "";
        default:
            return Text(value);
        }
    }

    SourceCover Cover(const std::string& value) {
        SourceCover cover;
        const auto image = images_.find(value);
        std::optional<std::vector<std::uint8_t>> bytes;
        if (zip_)
            bytes = zip_->Member("images/" + value, CoverByteLimit);
        else if (image != images_.end())
            bytes = DecodeBase64(image->second.child_value(), CoverByteLimit);
        if (!bytes || bytes->empty() || bytes->size() > coverBudget_) {
            // Not held in the file after all (or too large): the id is looked for beside it.
            cover.path = value;
            return cover;
        }
        coverBudget_ -= bytes->size();
        cover.bytes = std::move(*bytes);
        const std::size_t dot = value.rfind('.');
        cover.extension = dot != std::string::npos ? Lowered(value.substr(dot + 1))
                          : image != images_.end() ? Lowered(Attr(image->second, "format"))
                                                   : "";
        return cover;
    }

    SourceTitle ReadEntry(pugi::xml_node entry) {
        // The entry's values by field, in the order the entry holds them.
        std::vector<std::pair<std::string, std::vector<pugi::xml_node>>> values;
        std::unordered_map<std::string, std::size_t> at;
        for (pugi::xml_node e : entry.children()) {
            if (e.type() != pugi::node_element) continue;
            std::string name = e.name();
            std::vector<pugi::xml_node> nodes;
            if (name.size() > 1 && name.back() == 's') {
                const std::string single = name.substr(0, name.size() - 1);
                for (pugi::xml_node v : e.children(single.c_str()))
                    nodes.push_back(v);
                if (!nodes.empty()) name = single;
            }
            if (nodes.empty()) nodes.push_back(e);
            const auto [it, added] = at.emplace(name, values.size());
            if (added)
                values.emplace_back(name, std::move(nodes));
            else
                values[it->second].second.insert(values[it->second].second.end(), nodes.begin(), nodes.end());
        }

        SourceTitle t;
        NoteList notes;
        std::string comments;
        std::vector<std::string> audioLanguages, audioFormats;
        std::vector<SourceAudio> pairedAudio; // our own files: each DVD language with its format
        std::optional<DayNumber> created;
        bool loaned = false;
        const FieldInfo& rating = Field("rating");
        t.ratingMaximum = rating.maximum;
        for (const auto& [name, nodes] : values) {
            const FieldInfo& field = Field(name);
            std::vector<std::string> texts;
            for (pugi::xml_node v : nodes)
                texts.push_back(ValueText(field, v));
            std::erase(texts, std::string());
            const std::string first = texts.empty() ? std::string() : texts.front();
            auto all = [&texts](std::vector<std::string>& into) {
                for (const std::string& v : texts)
                    AddOnce(into, v);
            };
            if (name == "title") {
                t.title = first;
            } else if (name == "year") {
                t.year = LeadingNumber(first).value_or(0);
                if (texts.size() > 1)
                    notes.Line("Other years", Joined({texts.begin() + 1, texts.end()}, "; "));
            } else if (name == "running-time") {
                t.length = RunningMinutes(first);
                if (!t.length) notes.Line(field.title, first);
            } else if (name == "medium") {
                t.medium = first;
            } else if (name == "region") {
                all(t.regions);
            } else if (name == "format") {
                t.standard = first;
            } else if (name == "aspect-ratio") {
                all(t.aspectRatios);
            } else if (name == "widescreen") {
                t.widescreen = IsTrue(first);
            } else if (name == "directors-cut") {
                t.directorsCut = IsTrue(first);
            } else if (name == "color") {
                t.color = first;
            } else if (name == "certification") {
                t.certification = first;
            } else if (name == "genre") {
                all(t.genres);
            } else if (name == "director") {
                all(t.directors);
            } else if (name == "composer") {
                all(t.composers);
            } else if (name == "studio") {
                all(t.publishers);
            } else if (name == "series") {
                all(t.boxes);
            } else if (name == "cast") {
                for (pugi::xml_node v : nodes) {
                    std::vector<std::string> row = Row(v);
                    if (row.empty() || row[0].empty()) continue;
                    t.actors.push_back({row[0], row.size() > 1 ? row[1] : std::string()});
                }
            } else if (name == "producer") {
                notes.Add("Producers", texts);
            } else if (name == "writer") {
                notes.Add("Writers", texts);
            } else if (name == "nationality") {
                notes.Add("Country", texts);
            } else if (name == "keyword") {
                notes.Add("Tags", texts);
            } else if (name == "origtitle") {
                notes.Add("Original title", texts);
            } else if (name == "alttitle") {
                notes.Add("Other titles", texts);
            } else if (name == "episode") {
                notes.Add("Episodes", Joined(texts, "\n"));
            } else if (name == "plot") {
                notes.Add("Plot", Joined(texts, "\n\n"));
            } else if (name == "comments") {
                comments = Joined(texts, "\n\n");
            } else if (name == "language") {
                audioLanguages = texts;
            } else if (name == "audio-track") {
                audioFormats = texts;
            } else if (name == "dvd-audio") {
                for (pugi::xml_node v : nodes)
                    if (std::vector<std::string> row = Row(v); row.size() >= 2 && !row[0].empty())
                        pairedAudio.push_back({row[0], row[1], {}});
            } else if (name == "subtitle") {
                all(t.subtitles);
            } else if (name == "rating") {
                t.filmRating = first;
            } else if (name == "picture-rating") {
                t.pictureRating = first;
            } else if (name == "sound-rating") {
                t.soundRating = first;
            } else if (name == "pur_date") {
                t.buyDate = ParseFreeDate(first);
                if (!t.buyDate) notes.Line(field.title, first);
            } else if (name == "cdate") {
                created = DateValue(nodes.front());
            } else if (name == "pur_price") {
                t.price = first;
            } else if (name == "cover") {
                if (!first.empty()) t.cover = Cover(first);
            } else if (name == "loaned") {
                loaned = IsTrue(first);
            } else if (name == "seen") {
                if (IsTrue(first)) t.viewings = std::max(t.viewings, 1);
            } else if (name == "viewings") {
                t.viewings = std::max(t.viewings, LeadingNumber(first).value_or(0));
            } else if (name == "watch-date") {
                t.watchDate = DateValue(nodes.front());
            } else if (name == "cav-sides") {
                t.cavSides = std::clamp(LeadingNumber(first).value_or(0), 0, 255);
            } else if (name == "clv-sides") {
                t.clvSides = std::clamp(LeadingNumber(first).value_or(0), 0, 255);
            } else if (name == "feature") {
                all(t.extras);
            } else if (name == "retailer") {
                t.retailer = first;
            } else if (name == "info") {
                t.info = first;
            } else if (name == "info2") {
                t.info2 = first;
            } else if (name == "trade") {
                t.trade = first;
            } else if (name == "sound") {
                t.sound = first;
            } else if (name == "id" || name == "mdate" || field.type == Image) {
                // An id, a timestamp and the pictures beside the cover are not kept.
            } else {
                notes.Line(field.title, Joined(texts, "; "));
            }
        }
        if (!t.buyDate) t.buyDate = created;

        // Languages and track formats are separate lists: they pair only when there is one format,
        // or where our own files pair them.
        if (!pairedAudio.empty()) {
            t.audio = pairedAudio;
            for (const std::string& format : audioFormats)
                if (std::ranges::none_of(pairedAudio,
                                         [&](const SourceAudio& a) { return a.format == format; }))
                    t.audio.push_back({{}, format, {}});
            for (const std::string& language : audioLanguages)
                if (std::ranges::none_of(pairedAudio,
                                         [&](const SourceAudio& a) { return a.language == language; }))
                    t.audio.push_back({language, {}, {}});
        } else if (audioFormats.size() == 1) {
            for (const std::string& language : audioLanguages)
                t.audio.push_back({language, audioFormats.front(), {}});
            if (audioLanguages.empty()) t.audio.push_back({{}, audioFormats.front(), {}});
        } else {
            for (const std::string& language : audioLanguages)
                t.audio.push_back({language, {}, {}});
            for (const std::string& format : audioFormats)
                t.audio.push_back({{}, format, {}});
        }

        std::vector<std::string> lent;
        if (const auto it = loans_.find(Attr(entry, "id")); it != loans_.end())
            for (const Loan& loan : it->second)
                lent.push_back(LoanText(loan));
        if (lent.empty() && loaned) lent.push_back(LoanText({}));
        notes.Add("Lent to", lent);
        notes.Add("Comments", comments);
        t.notes = notes.Take();
        return t;
    }

    pugi::xml_node collection_;
    const ZipArchive* zip_;
    std::size_t coverBudget_;
    std::unordered_map<std::string, FieldInfo> fields_;
    std::unordered_map<std::string, pugi::xml_node> images_;
    std::unordered_map<std::string, std::vector<Loan>> loans_;
};

CatalogueRead ReadTellicoXml(std::span<const std::uint8_t> xml, const ZipArchive* zip,
                             std::size_t coverBudget) {
    auto doc = ParseCatalogueXml(xml, {"tellico"});
    if (!doc) return Unexpected(doc.error());
    const pugi::xml_node root = (*doc)->document_element();
    if (const auto version = LeadingNumber(Attr(root, "syntaxVersion")); version && *version > 11)
        return Unexpected(
            CatalogueFailure{CatalogueError::TooNew, "syntax version " + std::to_string(*version)});
    const pugi::xml_node collection = root.child("collection");
    if (!collection) return Unexpected(CatalogueFailure{CatalogueError::Damaged, "no collection"});
    if (const std::string type = Attr(collection, "type"); type != "3")
        return Unexpected(CatalogueFailure{CatalogueError::NotACatalogue, "a collection of type " + type});
    return TellicoReader(collection, zip, coverBudget).Read(root);
}

} // namespace

CatalogueRead ReadTellico(std::span<const std::uint8_t> bytes) {
    // Pictures held in the file: their total is kept to what a real file could hold, so that a
    // few bytes that inflate to many, or one picture given to every entry, cannot fill memory.
    const std::size_t coverBudget = (256u << 20) + 2 * bytes.size();
    if (bytes.size() < 4 || std::memcmp(bytes.data(), "PK\x03\x04", 4) != 0)
        return ReadTellicoXml(bytes, nullptr, coverBudget);
    const ZipArchive zip(bytes);
    if (!zip.Open())
        return Unexpected(
            CatalogueFailure{CatalogueError::Damaged, "the zip does not open: " + zip.Reason()});
    if (!zip.Has("tellico.xml"))
        return Unexpected(CatalogueFailure{CatalogueError::NotACatalogue, "a zip without tellico.xml"});
    bool tooLarge = false;
    const auto xml = zip.Member("tellico.xml", XmlMemberLimit, &tooLarge);
    if (!xml)
        return Unexpected(CatalogueFailure{CatalogueError::Damaged, tooLarge
                                                                        ? "tellico.xml is larger than 256 MB"
                                                                        : "tellico.xml does not read"});
    return ReadTellicoXml(*xml, &zip, coverBudget);
}

} // namespace tavrin

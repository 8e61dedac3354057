#include "exchange/catalogue_import.h"

#include "editing/media_files.h"
#include "editing/title_editor_model.h"
#include "exchange/value_rules.h"
#include "lang/vocabulary.h"
#include "store/files/file_access.h"
#include "store/review_files.h"
#include "store/text_encoding.h"
#include "store/title_exchange.h"
#include "store/title_order.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <system_error>
#include <unordered_set>

namespace tavrin {
namespace {

constexpr std::size_t MaxText = TitleTextSize - 1;
constexpr std::size_t CoverSizeLimit = 16u << 20;

// The labels of the review text in the order they are written; the last three are blocks.
constexpr std::string_view ReviewLabels[] = {
    "Full title",    "Full names",    "Original title",  "Other titles",    "Edition",
    "Medium",        "Region",        "Standard",        "Aspect ratio",    "Color",
    "Certification", "Genres",        "Other directors", "Other composers", "Other studios",
    "Publisher",     "Also starring", "Roles",           "Writers",         "Producers",
    "Crew",          "Country",       "Languages",       "Audio",           "Subtitles",
    "Extras",        "Discs",         "Location",        "Price",           "Lent to",
    "Tags",          "Web",           "Barcode",         "Cover",           "Episodes",
    "Plot",          "Comments"};
constexpr std::size_t FirstBlock = std::size(ReviewLabels) - 3;

std::size_t LabelRank(std::string_view label) {
    const auto at = std::find(std::begin(ReviewLabels), std::end(ReviewLabels), label);
    // A label of the source's own (a user field) goes with the comments.
    return at == std::end(ReviewLabels) ? std::size(ReviewLabels) - 1
                                        : static_cast<std::size_t>(at - ReviewLabels);
}

std::string Joined(const std::vector<std::string>& values, std::string_view between = "; ") {
    std::string out;
    for (const auto& v : values) {
        if (!out.empty()) out += between;
        out += v;
    }
    return out;
}

// The review text of one title, built label by label.
class Review {
  public:
    void Add(std::string_view label, std::string value) {
        if (value.empty()) return;
        const std::size_t rank = LabelRank(label);
        if (rank == std::size(ReviewLabels) - 1 && label != "Comments")
            value = std::string(label) + ": " + value;
        lines_.push_back({rank, std::move(value)});
    }

    // UTF-8; CR LF between lines; the blocks last, each after a blank line.
    std::string Text() const {
        std::vector<std::pair<std::size_t, std::string>> lines = lines_;
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string out;
        for (std::size_t i = 0; i < lines.size();) {
            const std::size_t rank = lines[i].first;
            std::vector<std::string> values;
            for (; i < lines.size() && lines[i].first == rank; ++i)
                values.push_back(lines[i].second);
            if (rank < FirstBlock) {
                out += std::string(ReviewLabels[rank]) + ": " + Joined(values) + "\r\n";
            } else {
                if (!out.empty()) out += "\r\n";
                out += std::string(ReviewLabels[rank]) + ":\r\n";
                for (std::size_t v = 0; v < values.size(); ++v)
                    out += (v ? "\r\n" : "") + CrLf(values[v]) + "\r\n";
            }
        }
        return out;
    }

  private:
    static std::string CrLf(std::string_view text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') continue;
            if (text[i] == '\n') out += '\r';
            out += text[i];
        }
        return out;
    }
    std::vector<std::pair<std::size_t, std::string>> lines_;
};

struct Tally {
    CatalogueReport& report;
    void Kept(const char* field) { ++report.fields[field].kept; }
    void Approximated(const char* field) { ++report.fields[field].approximated; }
    void ToReview(const char* field) { ++report.fields[field].review; }
};

// A title or a name as a record holds it: plain letters, upper case, at most 49 characters.
// Whatever changed is reported; the whole text of a shortened one goes to the review.
struct Stored {
    std::string text; // Windows-1252
    bool approximated = false;
    bool shortened = false;
};

Stored StoreText(std::string_view utf8, std::string_view what, CatalogueReport& report) {
    PlainText plain = ToPlainCp1252(utf8);
    std::string upper = UpperCp1252(plain.text);
    Stored s;
    if (!plain.changed.empty()) {
        s.approximated = true;
        report.letters.push_back(std::string(what) + ": " + std::string(utf8) + " \u2192 " +
                                 Cp1252ToUtf8(upper));
    }
    if (upper.size() > MaxText) {
        std::string shortText = ShortenAtWord(upper, MaxText);
        report.shortened.push_back(std::string(utf8) + " \u2192 " + Cp1252ToUtf8(shortText));
        upper = std::move(shortText);
        s.approximated = s.shortened = true;
    }
    s.text = std::move(upper);
    return s;
}

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

// The picture formats the program shows as they are, by extension (lower case, no dot).
std::optional<std::string_view> ShownPictureExtension(std::string_view ext) {
    const std::string e = Lowered(ext);
    if (e == "jpg" || e == "jpeg" || e == "jfif") return "JPG";
    if (e == "gif") return "GIF";
    if (e == "bmp") return "BMP";
    if (e == "tga") return "TGA";
    if (e == "pcx") return "PCX";
    return std::nullopt;
}

std::string ExtensionOf(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return std::string(path.substr(dot + 1));
}

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int hi = HexValue(s[i + 1]), lo = HexValue(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

} // namespace

std::optional<std::filesystem::path> CoverFilePath(std::string_view written,
                                                   const std::filesystem::path& folder) {
    std::string path(written);
    const std::string lower = Lowered(path.substr(0, std::min<std::size_t>(path.size(), 8)));
    if (lower.starts_with("file:")) {
        path = PercentDecoded(path.substr(5));
        if (path.starts_with("//")) {
            const auto slash = path.find('/', 2);
            if (slash == std::string::npos) return std::nullopt;
            path = path.substr(slash); // file://host/path and file:///path
        }
    } else if (lower.find("://") != std::string::npos || lower.starts_with("www.")) {
        return std::nullopt;
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    // A Windows drive path cannot be found here as written: try it from the source's folder.
    if (path.size() > 2 && path[1] == ':' && path[2] == '/') path = path.substr(3);
    if (path.empty()) return std::nullopt;
    const std::filesystem::path p(path);
    return p.is_absolute() ? p : folder / p;
}

namespace {

bool IsRegularFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

PlannedTitle Land(const SourceTitle& s, const CatalogueImportOptions& options, CatalogueReport& report) {
    Tally tally{report};
    Review review;
    PlannedTitle out;
    TitleRecord& t = out.record;
    t.SetDirector(NoEntry);
    t.SetComposer(NoEntry);
    t.SetBox(NoEntry);
    t.SetInfo(NoEntry);
    t.SetInfo2(NoEntry);
    t.SetRetailer(NoEntry);
    for (std::size_t off : ActorOffsets)
        t.SetU16(off, NoEntry);
    for (std::size_t off : MediaOffsets)
        t.SetU16(off, NoEntry);
    t.SetPublisher(-1);

    // Title.
    const Stored title = StoreText(s.title, "Title", report);
    t.SetTitle(title.text);
    title.approximated ? tally.Approximated("Title") : tally.Kept("Title");
    if (title.shortened) review.Add("Full title", s.title);

    if (s.year > 0 && s.year <= 0xFFFF) {
        t.SetYear(static_cast<std::uint16_t>(s.year));
        tally.Kept("Year");
    }
    if (s.length && *s.length > 0) {
        t.SetLength(static_cast<std::uint16_t>(std::min(*s.length, 0xFFFF)));
        tally.Kept("Length");
    }

    // Medium and what depends on it.
    const Coded medium = MediumOf(s.medium);
    t.SetSupport(static_cast<std::uint8_t>(medium.code));
    const bool dvd = medium.code == 1, vcd = medium.code == 3;
    if (!s.medium.empty()) {
        if (medium.exact) {
            tally.Kept("Support");
        } else {
            tally.Approximated("Support");
            review.Add("Medium", s.medium);
        }
    }
    if (!s.regions.empty()) {
        const Coded zone = ZoneOf(s.regions);
        if (dvd) t.SetZone(static_cast<std::uint8_t>(zone.code));
        if (dvd && zone.exact) {
            tally.Kept("Zone");
        } else {
            dvd ? tally.Approximated("Zone") : tally.ToReview("Zone");
            review.Add("Region", Joined(s.regions));
        }
    }
    if (!s.standard.empty()) {
        if (const auto standard = StandardOf(s.standard)) {
            t.SetStandard(static_cast<std::uint8_t>(*standard));
            tally.Kept("Standard");
        } else {
            tally.ToReview("Standard");
            review.Add("Standard", s.standard);
        }
    }
    {
        const AspectLanding aspect = AspectOf(s.aspectRatios);
        t.SetAspectRatio(static_cast<std::uint8_t>(aspect.code));
        t.SetWidescreen169(aspect.widescreen || s.widescreen);
        t.SetPanScan(aspect.panScan || s.panScan);
        if (!s.aspectRatios.empty()) {
            if (aspect.exact) {
                tally.Kept("AspectRatio");
            } else {
                tally.Approximated("AspectRatio");
                review.Add("Aspect ratio", Joined(s.aspectRatios));
            }
        }
    }
    if (!s.color.empty()) {
        if (const auto color = ColorOf(s.color)) {
            t.SetColor(static_cast<std::uint8_t>(*color));
            tally.Kept("Color");
        } else {
            tally.ToReview("Color");
            review.Add("Color", s.color);
        }
    }
    if (!s.certification.empty()) {
        const Coded mpaa = CertificationOf(s.certification);
        t.SetMpaa(static_cast<std::uint8_t>(mpaa.code));
        if (mpaa.exact) {
            tally.Kept("Mpaa");
        } else {
            tally.Approximated("Mpaa");
            review.Add("Certification", s.certificationSystem.empty()
                                            ? s.certification
                                            : s.certificationSystem + ": " + s.certification);
        }
    } else if (s.certificationAge && *s.certificationAge > 0) {
        t.SetMpaa(static_cast<std::uint8_t>(CertificationOfAge(*s.certificationAge)));
        tally.Approximated("Mpaa");
    }
    if (!s.genres.empty()) {
        const GenreLanding genres = GenresOf(s.genres);
        t.SetGenre(static_cast<std::uint8_t>(genres.genre));
        t.SetGenre2(static_cast<std::uint8_t>(genres.genre2));
        if (genres.exact) {
            tally.Kept("Genre");
        } else {
            tally.Approximated("Genre");
            review.Add("Genres", Joined(s.genres, ", "));
        }
    }

    // Names: the first of each list lands, the others are kept in the review.
    std::vector<std::string> fullNames;
    const auto name = [&](const std::string& utf8, const char* field) {
        const Stored n = StoreText(utf8, field, report);
        if (n.shortened) fullNames.push_back(utf8);
        n.approximated ? tally.Approximated(field) : tally.Kept(field);
        return n.text;
    };
    const auto firstAndOthers = [&](const std::vector<std::string>& names, const char* field,
                                    std::string& into, std::string_view othersLabel) {
        if (names.empty()) return;
        into = name(names.front(), field);
        if (names.size() > 1) {
            tally.ToReview(field);
            review.Add(othersLabel, Joined({names.begin() + 1, names.end()}));
        }
    };
    firstAndOthers(s.directors, "Director", out.director, "Other directors");
    firstAndOthers(s.composers, "Composer", out.composer, "Other composers");
    firstAndOthers(s.publishers, "Publisher", out.publisher, "Other studios");
    if (!s.boxes.empty()) out.box = name(s.boxes.front(), "Box");
    if (!s.retailer.empty()) out.retailer = name(s.retailer, "Retailer");
    // Other informations and the sound come only from our own Tellico files.
    if (!s.info.empty()) out.info = name(s.info, "Info");
    if (!s.info2.empty()) out.info2 = name(s.info2, "Info2");
    {
        std::vector<std::string> roles, others;
        for (std::size_t i = 0; i < s.actors.size(); ++i) {
            const SourcePerson& actor = s.actors[i];
            if (i < out.actors.size()) {
                out.actors[i] = name(actor.name, "Actors");
                if (!actor.role.empty()) roles.push_back(actor.name + " as " + actor.role);
            } else {
                others.push_back(actor.role.empty() ? actor.name : actor.name + " (" + actor.role + ")");
            }
        }
        if (!roles.empty() || !others.empty()) tally.ToReview("Actors");
        review.Add("Roles", Joined(roles));
        review.Add("Also starring", Joined(others));
    }
    review.Add("Full names", Joined(fullNames));

    // Marks, viewings, dates, price.
    const auto mark = [&](const std::string& value, const char* field,
                          void (TitleRecord::*set)(std::uint8_t)) {
        if (value.empty()) return;
        (t.*set)(static_cast<std::uint8_t>(RatingMark(value, s.ratingMaximum)));
        s.ratingMaximum == 5 ? tally.Kept(field) : tally.Approximated(field);
    };
    mark(s.filmRating, "FilmRating", &TitleRecord::SetFilmRating);
    mark(s.pictureRating, "PictureRating", &TitleRecord::SetPictureRating);
    mark(s.soundRating, "SoundRating", &TitleRecord::SetSoundRating);
    if (s.viewings > 0) {
        t.SetViewings(static_cast<std::uint16_t>(std::min(s.viewings, 32000)));
        tally.Kept("Viewings");
    }
    t.SetWatchDate(s.watchDate.value_or(options.today));
    if (s.watchDate) tally.Kept("WatchDate");
    t.SetBuyDate(s.buyDate.value_or(options.today));
    if (s.buyDate) tally.Kept("BuyDate");
    if (!s.price.empty()) {
        const auto price = ParsePrice(s.price);
        if (price) t.SetPrice(price->value);
        if (price && !price->namedCurrency) {
            tally.Kept("Price");
        } else {
            price ? tally.Approximated("Price") : tally.ToReview("Price");
            review.Add("Price", s.price);
        }
    }

    // Discs: a Video CD counts its discs as CLV sides. Readers of other programs work sides out
    // for DVDs and Video CDs only; our own files keep them for every medium.
    if (s.cavSides > 0 || s.clvSides > 0) {
        t.SetCavSides(static_cast<std::uint8_t>(vcd ? 0 : std::min(s.cavSides, 255)));
        t.SetClvSides(static_cast<std::uint8_t>(std::min(s.clvSides + (vcd ? s.cavSides : 0), 255)));
        tally.Kept("Discs");
    }

    // Sound and subtitles.
    if (!s.audio.empty() || !s.subtitles.empty()) {
        const AudioLanding audio = AudioOf(s.audio, s.subtitles, dvd);
        for (int i = 0; i < DvdLanguageByteCount; ++i)
            t.SetU8(FieldOffset("DvdSubtitles") + static_cast<std::size_t>(i),
                    audio.dvd[static_cast<std::size_t>(i)]);
        t.SetAc3(audio.ac3);
        t.SetDts(audio.dts);
        t.SetSound(static_cast<std::uint8_t>(audio.sound));
        t.SetSubtitled(audio.subtitled);
        if (!s.audio.empty()) audio.audioReview.empty() ? tally.Kept("Audio") : tally.ToReview("Audio");
        if (!s.subtitles.empty())
            audio.subtitleReview.empty() ? tally.Kept("Subtitles") : tally.ToReview("Subtitles");
        review.Add("Audio", Joined(audio.audioReview));
        review.Add("Subtitles", Joined(audio.subtitleReview));
    }
    if (!s.sound.empty()) {
        const auto known = std::find(SoundNames.begin(), SoundNames.end(), s.sound);
        if (known != SoundNames.end()) {
            t.SetSound(static_cast<std::uint8_t>(known - SoundNames.begin()));
            tally.Kept("Sound");
        } else {
            tally.ToReview("Sound");
            review.Add("Audio", s.sound);
        }
    }
    if (s.directorsCut) {
        t.SetDirectorsCut(true);
        tally.Kept("DirectorsCut");
    }
    if (!s.extras.empty()) {
        const ExtrasLanding extras = ExtrasOf(s.extras);
        for (std::string_view field : extras.flags)
            for (const FieldInfo& info : TitleFields())
                if (info.name == field && info.kind == FieldKind::Flag) t.SetFlag(info.offset, true);
        extras.review.empty() ? tally.Kept("Extras") : tally.ToReview("Extras");
        review.Add("Extras", Joined(extras.review));
    }
    if (!s.trade.empty()) {
        t.SetTrade(static_cast<std::uint8_t>(TradeOf(s.trade)));
        tally.Kept("Trade");
    }

    // The cover: found now, copied at the import.
    if (!s.cover.Empty()) {
        out.cover = s.cover;
        if (!s.cover.bytes.empty()) {
            out.coverFound = true;
        } else if (const auto file = CoverFilePath(s.cover.path, options.sourceFolder);
                   file && IsRegularFile(*file)) {
            out.coverFound = true;
        } else {
            review.Add("Cover", s.cover.path);
        }
        out.coverFound ? ++report.coversFound : ++report.coversMissing;
        out.coverFound ? tally.Kept("Media1") : tally.ToReview("Media1");
    }

    for (const SourceNote& note : s.notes)
        review.Add(note.label, note.value);
    const std::string text = review.Text();
    out.review = text.empty() ? std::string() : ToPlainCp1252(text).text;
    return out;
}

// What tells two titles for the same disc: the text, the year and the medium.
std::string DuplicateKey(const TitleRecord& t) {
    std::string key(t.TitleView());
    key += '\0';
    key += std::to_string(t.Year());
    key += '\0';
    key += static_cast<char>('0' + t.Support());
    return key;
}

std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (const char ch : s) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

} // namespace

CataloguePlan PlanCatalogueImport(const Collection& c, const SourceCatalogue& source,
                                  const CatalogueImportOptions& options) {
    CataloguePlan plan;
    plan.options = options;
    plan.report.format = source.format;
    plan.report.titles = source.titles.size();
    std::unordered_set<std::string> seen;
    seen.reserve(c.Count() + source.titles.size());
    for (const TitleRecord& t : c.titles)
        seen.insert(DuplicateKey(t));
    plan.titles.reserve(source.titles.size());
    for (const SourceTitle& s : source.titles) {
        PlannedTitle& p = plan.titles.emplace_back(Land(s, options, plan.report));
        p.duplicate = !seen.insert(DuplicateKey(p.record)).second;
        if (p.duplicate) ++plan.report.duplicates;
        if (!p.duplicate || options.keepDuplicates) ++plan.report.imported;
    }
    return plan;
}

std::string CatalogueReportJson(const CatalogueReport& r) {
    std::string out = "{\"format\": " + JsonString(CatalogueFormatName(r.format)) +
                      ", \"titles\": " + std::to_string(r.titles) +
                      ", \"imported\": " + std::to_string(r.imported) +
                      ", \"duplicates\": " + std::to_string(r.duplicates) +
                      ", \"covers\": {\"copied\": " + std::to_string(r.coversCopied) +
                      ", \"missing\": " + std::to_string(r.coversMissing) + "}, \"fields\": {";
    bool first = true;
    for (const auto& [field, tally] : r.fields) {
        out += (first ? "" : ", ") + JsonString(field) + ": {\"kept\": " + std::to_string(tally.kept) +
               ", \"approximated\": " + std::to_string(tally.approximated) +
               ", \"review\": " + std::to_string(tally.review) + "}";
        first = false;
    }
    const auto list = [](const std::vector<std::string>& items) {
        std::string s = "[";
        for (std::size_t i = 0; i < items.size(); ++i)
            s += (i ? ", " : "") + JsonString(items[i]);
        return s + "]";
    };
    return out + "}, \"shortened\": " + list(r.shortened) + ", \"letters\": " + list(r.letters) + "}\n";
}

std::string CatalogueSummary(const CatalogueReport& r) {
    return "Imported " + std::to_string(r.imported) + (r.imported == 1 ? " title" : " titles") + " from " +
           std::string(CatalogueFormatName(r.format)) + ": " + std::to_string(r.duplicates) +
           (r.duplicates == 1 ? " duplicate" : " duplicates") +
           (r.imported > r.titles - r.duplicates ? " kept, " : " left out, ") +
           std::to_string(r.coversCopied) + (r.coversCopied == 1 ? " cover" : " covers") + " copied, " +
           std::to_string(r.coversMissing) + " missing";
}

CatalogueRead ReadCatalogueBytes(std::span<const std::uint8_t> bytes) {
    const auto format = RecogniseCatalogue(bytes);
    if (!format) return Unexpected{CatalogueFailure{CatalogueError::NotACatalogue, {}}};
    return ReadCatalogue(*format, bytes);
}

namespace {

struct CoverFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The cover's bytes in a form the program shows: as they are for JPEG, GIF, BMP, TGA and PCX,
// others (PNG, WebP ...) converted to JPEG.
std::optional<std::pair<std::vector<std::uint8_t>, std::string>>
CoverBytes(const PlannedTitle& p, const std::filesystem::path& sourceFolder, const PictureCodec& codec) {
    std::vector<std::uint8_t> bytes;
    std::string extension;
    if (!p.cover.bytes.empty()) {
        bytes = p.cover.bytes;
        extension = p.cover.extension;
    } else {
        const auto file = CoverFilePath(p.cover.path, sourceFolder);
        if (!file) return std::nullopt;
        auto read = ReadFileBytes(*file, CoverSizeLimit);
        if (!read) return std::nullopt;
        bytes = std::move(*read);
        extension = ExtensionOf(PathText(*file));
    }
    if (const auto shown = ShownPictureExtension(extension))
        return std::pair{std::move(bytes), std::string(*shown)};
    if (!codec.convert) return std::nullopt;
    auto converted = codec.convert(bytes, extension, "jpg");
    if (!converted) return std::nullopt;
    return std::pair{std::move(converted->bytes), std::string("JPG")};
}

} // namespace

Msg CatalogueImportMessage(const CatalogueImportRefusal& refusal) {
    switch (refusal.error) {
    case CatalogueImportError::Nothing:
        return Msg::MsgCatalogueNothingToImport;
    case CatalogueImportError::CollectionFull:
        return Msg::MsgAmazingCollectionButI;
    case CatalogueImportError::ListFull:
        return refusal.list == ListId::Publisher ? Msg::MsgYouCanTAddMore : Msg::MsgYouCanTAddA;
    case CatalogueImportError::FileNotWritten:
        return Msg::MsgCouldNotWriteUnchanged;
    }
    return Msg::MsgCatalogueNothingToImport;
}

Expected<std::size_t, CatalogueImportRefusal>
ImportCatalogue(Changes ch, CataloguePlan& plan, const ImportFolders& folders, const PictureCodec& codec,
                std::optional<std::size_t> current, const ImportProgress& progress) {
    const Collection& c = ch.Data();
    std::vector<PlannedTitle*> chosen;
    for (PlannedTitle& p : plan.titles)
        if (!p.duplicate || plan.options.keepDuplicates) chosen.push_back(&p);
    if (chosen.empty()) return Unexpected{CatalogueImportRefusal{CatalogueImportError::Nothing, {}, {}}};
    if (c.Count() + chosen.size() > TitleCapacity)
        return Unexpected{CatalogueImportRefusal{CatalogueImportError::CollectionFull, {}, {}}};

    // The covers read and named first: their names go into the media list with the other names.
    NewMediaNames coverNames(folders.medias, c.List(ListId::Media));
    std::vector<std::optional<CoverFile>> covers(chosen.size());
    std::size_t missing = 0;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const PlannedTitle& p = *chosen[i];
        if (!p.coverFound) continue;
        auto bytes = CoverBytes(p, plan.options.sourceFolder, codec);
        if (!bytes) {
            ++missing;
            continue;
        }
        covers[i] = CoverFile{coverNames.Next(p.record.TitleView(), bytes->second), std::move(bytes->first)};
        if (progress) progress(i / 2, chosen.size());
    }

    // Every name found or appended; nothing changes yet.
    std::array<std::optional<NameLinker>, ListCount> linkers;
    const auto link = [&](ListId list, const std::string& text) -> int {
        if (text.empty()) return -1;
        auto& linker = linkers[static_cast<std::size_t>(list)];
        if (!linker) linker.emplace(c.List(list), list);
        return linker->FindOrAppend(text);
    };
    std::vector<TitleRecord> records;
    records.reserve(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const PlannedTitle& p = *chosen[i];
        TitleRecord t = p.record;
        t.SetDirector(StoredFromEntry(link(ListId::Director, p.director)));
        t.SetComposer(StoredFromEntry(link(ListId::Composer, p.composer)));
        t.SetBox(StoredFromEntry(link(ListId::Box, p.box)));
        t.SetRetailer(StoredFromEntry(link(ListId::Retailer, p.retailer)));
        t.SetInfo(StoredFromEntry(link(ListId::Info, p.info)));
        t.SetInfo2(StoredFromEntry(link(ListId::Info2, p.info2)));
        for (std::size_t a = 0; a < p.actors.size(); ++a)
            t.SetU16(ActorOffsets[a], StoredFromEntry(link(ListId::Actor, p.actors[a])));
        if (!p.publisher.empty()) t.SetPublisher(link(ListId::Publisher, p.publisher));
        if (covers[i]) t.SetMedia1(StoredFromEntry(link(ListId::Media, covers[i]->name)));
        records.push_back(t);
    }
    for (ListId list : AllLists)
        if (const auto& linker = linkers[static_cast<std::size_t>(list)]; linker && !linker->Fits())
            return Unexpected{CatalogueImportRefusal{CatalogueImportError::ListFull, list, {}}};

    // The files: covers, then review texts. A failure takes back what was written.
    std::vector<std::filesystem::path> written;
    const auto undoFiles = [&] {
        std::error_code ec;
        for (const auto& f : written)
            std::filesystem::remove(f, ec);
    };
    std::size_t copied = 0;
    // One writer a folder: each folder is read once, not once a file, and a new file is written
    // whole before it gets its name.
    FolderWriter mediaWriter(folders.medias), textWriter(folders.text);
    const auto refuse = [&](const FileFailure& failure) {
        undoFiles();
        return Unexpected{CatalogueImportRefusal{
            CatalogueImportError::FileNotWritten, {}, failure.path + ": " + failure.detail}};
    };
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (covers[i]) {
            const auto file = MediaPath(folders.medias, covers[i]->name);
            if (auto done = mediaWriter.Write(file.filename(), covers[i]->bytes); !done)
                return refuse(done.error());
            written.push_back(file);
            ++copied;
        }
        if (const std::string& review = chosen[i]->review; !review.empty()) {
            // The first number no file of that title holds yet.
            std::error_code ec;
            std::uint32_t number = 1;
            while (number <= 0xFFFF &&
                   std::filesystem::exists(ReviewFilePath(folders.text, records[i].TitleView(),
                                                          static_cast<std::uint16_t>(number)),
                                           ec))
                ++number;
            const auto file = ReviewFilePath(folders.text, records[i].TitleView(),
                                             static_cast<std::uint16_t>(std::min(number, 0xFFFFu)));
            if (number > 0xFFFF)
                return refuse({FileError::CannotWrite, PathText(file), SystemReason(EEXIST)});
            const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(review.data()), review.size());
            if (auto done = textWriter.Write(file.filename(), bytes); !done) return refuse(done.error());
            written.push_back(file);
            records[i].SetReviewNumber(static_cast<std::uint16_t>(number));
        }
        if (progress) progress((chosen.size() + i) / 2, chosen.size());
    }

    AppendTitles(ch, ChangeKind::ImportCatalogue, current, plan.options.today, [&](Collection& col) {
        for (ListId list : AllLists)
            if (const auto& linker = linkers[static_cast<std::size_t>(list)]) linker->Commit(col.List(list));
        const std::size_t n = col.titles.size();
        col.titles.insert(col.titles.end(), records.begin(), records.end());
        std::vector<std::uint16_t> added =
            SortedTitleOrder(std::span<const TitleRecord>(col.titles).subspan(n));
        for (auto& r : added)
            r = static_cast<std::uint16_t>(r + n);
        const auto heads = TitleHeads(col.titles);
        std::vector<std::uint16_t> order;
        order.reserve(col.titles.size());
        std::merge(col.ListeIndex.begin(), col.ListeIndex.end(), added.begin(), added.end(),
                   std::back_inserter(order), [&](std::uint16_t a, std::uint16_t b) {
                       return TitleSortsBefore(col.titles, heads, a, b);
                   });
        col.ListeIndex = std::move(order);
        return true;
    });
    plan.report.coversCopied = copied;
    plan.report.coversMissing += missing;
    if (progress) progress(chosen.size(), chosen.size());
    return records.size();
}

Msg CatalogueFailureMessage(const CatalogueFailure& failure) {
    switch (failure.error) {
    case CatalogueError::NotACatalogue:
        return Msg::MsgNotAFilmCatalogue;
    case CatalogueError::Damaged:
        return Msg::MsgCatalogueDamaged;
    case CatalogueError::TooNew:
        return Msg::MsgCatalogueTooNew;
    }
    return Msg::MsgNotAFilmCatalogue;
}

std::string CatalogueFailureText(const CatalogueFailure& failure, std::string_view fileName, int language) {
    std::string text(MessageText(CatalogueFailureMessage(failure), language));
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, fileName);
    if (failure.error == CatalogueError::Damaged && !failure.detail.empty())
        text += " (" + failure.detail.substr(0, 80) + ")";
    return text;
}

} // namespace tavrin

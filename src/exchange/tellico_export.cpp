#include "exchange/tellico_export.h"

#include "editing/media_files.h"
#include "lang/vocabulary.h"
#include "reports/detail_block.h"
#include "store/day_number.h"
#include "store/md5.h"
#include "store/review_files.h"
#include "store/text_encoding.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <unordered_map>

namespace tavrin {
namespace {

constexpr int English = 0;
constexpr int DvdSupport = 1;
// A cover file larger than this is no cover.
constexpr std::size_t CoverFileLimit = 64u * 1024 * 1024;

constexpr std::string_view Head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<!DOCTYPE tellico PUBLIC \"-//Robby Stephenson/DTD Tellico V11.0//EN\" "
                                  "\"http://periapsis.org/tellico/dtd/v11/tellico.dtd\">\n"
                                  "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n";

// The fields beyond Tellico's video defaults, and the defaults whose allowed values we widen. A
// declaration named as a default replaces it whole, so every attribute is given.
struct FieldDeclaration {
    std::string_view name, title, type, flags, format, category, allowed;
    bool markProps = false;        // minimum 1, maximum 5
    std::string_view columns = {}; // a table's column titles, separated by ';'
};
constexpr FieldDeclaration DeclaredFields[] = {
    {"medium", "Medium", "3", "2", "4", "General", "DVD;VHS;VCD;DivX;Blu-ray;HD DVD;LaserDisc;Video CD"},
    {"region", "Region", "3", "2", "4", "General",
     "Region 0;Region 1;Region 2;Region 3;Region 4;Region 5;Region 6;Region 7;Region 8"},
    {"certification", "Certification", "3", "2", "4", "General",
     "G (USA);PG (USA);PG-13 (USA);R (USA);NC-17 (USA);X (USA);U (USA);13;16;18"},
    {"color", "Color Mode", "3", "2", "4", "Features", "Color;Black & White;Color and B&W"},
    {"sound", "Sound", "3", "2", "4", "Features", "Mono;Stereo;Ultra Stereo;DTS Surround;Dolby Surround"},
    {"trade", "Trade", "3", "2", "4", "Personal", "To buy;To sell"},
    {"comments", "Comments", "2", "0", "4", "Comments", {}},
    {"cav-sides", "CAV Sides", "6", "0", "4", "Features", {}},
    {"clv-sides", "CLV Sides", "6", "0", "4", "Features", {}},
    {"feature", "Disc Features", "1", "7", "0", "Features", {}},
    // Which language a DVD speaks in which format: Tellico's language and audio track lists alone
    // cannot pair them.
    {"dvd-audio", "DVD Audio", "8", "1", "4", "Features", {}, false, "Language;Format"},
    {"picture-rating", "Picture Rating", "14", "2", "4", "Personal", {}, true},
    {"sound-rating", "Sound Rating", "14", "2", "4", "Personal", {}, true},
    {"seen", "Seen", "4", "0", "4", "Personal", {}},
    {"viewings", "Viewings", "6", "0", "4", "Personal", {}},
    {"watch-date", "Last Viewed", "12", "0", "3", "Personal", {}},
    {"series", "Box Set", "1", "6", "0", "General", {}},
    {"retailer", "Retailer", "1", "6", "0", "Personal", {}},
    {"info", "Other Information", "1", "6", "0", "Personal", {}},
    {"info2", "Other Information 2", "1", "6", "0", "Personal", {}},
};

// Support 0 .. 3.
constexpr std::array<std::string_view, 4> MediumValues{"LaserDisc", "DVD", "VHS", "Video CD"};
// Mpaa 0 .. 9.
constexpr std::array<std::string_view, 10> CertificationValues{
    "U (USA)", "G (USA)", "PG (USA)", "PG-13 (USA)", "R (USA)", "NC-17 (USA)", "X (USA)", "13", "16", "18"};

// A DVD audio byte and the track it stands for.
struct AudioTrack {
    std::uint8_t (TitleRecord::*bits)() const;
    std::string_view text;
};
constexpr AudioTrack AudioTracks[] = {
    {&TitleRecord::DvdDd10, "Dolby Digital 1.0"},
    {&TitleRecord::DvdDd20, "Dolby Digital 2.0"},
    {&TitleRecord::DvdDd40, "Dolby Digital 4.0"},
    {&TitleRecord::DvdDd51, "Dolby Digital 5.1"},
    {&TitleRecord::DvdDts, "DTS 5.1"},
    {&TitleRecord::DvdMpeg10, "MPEG 1.0"},
    {&TitleRecord::DvdMpeg20, "MPEG 2.0"},
    {&TitleRecord::DvdMpeg51, "MPEG 5.1"},
    {&TitleRecord::DvdPcm, "PCM"},
};

std::size_t OffsetOf(std::string_view field) {
    for (const FieldInfo& info : TitleFields())
        if (info.name == field) return info.offset;
    return 0;
}

struct Feature {
    TellicoFeature named;
    std::size_t offset;
};

// English texts, as the fields' titles are.
const std::vector<Feature>& FeatureTable() {
    static const std::vector<Feature> table = [] {
        const auto text = [](Msg m) { return MessageText(m, English); };
        std::vector<Feature> features{
            {{"Thx", "THX"}, 0},
            {{"Flipper", "Flipper"}, 0},
            {{"PanScan", text(Msg::MsgPSFullFrame)}, 0},
            {{"Used", text(Msg::MsgUsed)}, 0},
            {{"Dubbed", text(Msg::MsgDubbed)}, 0},
            {{"Rotted", text(Msg::MsgDefectRotted)}, 0},
            {{"Subtitled", text(Msg::MsgSubtitled)}, 0},
        };
        for (const ExtraItem& extra : ReportExtras()) {
            std::string_view field;
            for (const FieldInfo& info : TitleFields())
                if (info.offset == extra.offset) field = info.name;
            features.push_back({{field, extra.entry ? text(*extra.entry) : extra.fixed}, extra.offset});
        }
        for (Feature& f : features)
            if (f.offset == 0) f.offset = OffsetOf(f.named.field);
        return features;
    }();
    return table;
}

// ---- Text ----

// Each Windows-1252 byte as escaped UTF-8; control characters, which XML 1.0 cannot hold, as
// nothing (tab and line ends are kept).
const std::array<std::string, 256>& XmlOfByte() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            if (b < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
            switch (c) {
            case '&':
                t[b] = "&amp;";
                break;
            case '<':
                t[b] = "&lt;";
                break;
            case '>':
                t[b] = "&gt;";
                break;
            case '"':
                t[b] = "&quot;";
                break;
            default:
                t[b] = Cp1252ToUtf8(std::string_view(&c, 1));
            }
        }
        return t;
    }();
    return table;
}

bool IsPlainAscii(char c) {
    return c >= 0x20 && static_cast<unsigned char>(c) < 0x80 && c != '&' && c != '<' && c != '>' && c != '"';
}

void AppendCp1252(std::string& out, std::string_view text) {
    const auto& table = XmlOfByte();
    std::size_t i = 0;
    while (i < text.size()) {
        // Runs of plain letters go in at once: most names are nothing else.
        std::size_t run = i;
        while (run < text.size() && IsPlainAscii(text[run]))
            ++run;
        out.append(text.data() + i, run - i);
        if (run < text.size()) out += table[static_cast<unsigned char>(text[run++])];
        i = run;
    }
}

void AppendUtf8(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            out += c;
    }
}

// A paragraph: Tellico shows it as HTML, a line break being <br/>. A '<' of the text is written as
// the entity so that nothing in it reads as a tag.
void AppendParagraph(std::string& out, std::string_view text) {
    const auto& table = XmlOfByte();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "&lt;br/&gt;";
            if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
        } else if (c == '<') {
            out += "&amp;lt;";
        } else {
            out += table[static_cast<unsigned char>(c)];
        }
    }
}

void AppendNumber(std::string& out, long long value) {
    out += std::to_string(value);
}

std::optional<CivilDate> DateOf(DayNumber day) {
    if (day <= 0) return std::nullopt;
    const CivilDate date = DateFromDayNumber(day);
    if (!IsValidDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

std::string TwoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// ---- Pictures ----

enum class PictureType { Jpeg, Png, Gif, Other };

PictureType TypeOf(std::span<const std::uint8_t> b) {
    const auto startsWith = [&](std::string_view mark) {
        return b.size() >= mark.size() && std::memcmp(b.data(), mark.data(), mark.size()) == 0;
    };
    if (startsWith("\xFF\xD8\xFF")) return PictureType::Jpeg;
    if (startsWith("\x89PNG\r\n\x1A\n")) return PictureType::Png;
    if (startsWith("GIF87a") || startsWith("GIF89a")) return PictureType::Gif;
    return PictureType::Other;
}

int BigEndian(std::span<const std::uint8_t> b, std::size_t at, int size) {
    int v = 0;
    for (int i = 0; i < size; ++i)
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

// The size a JPEG, PNG or GIF file gives in its header, without decoding it.
std::optional<PictureSize> HeaderSize(PictureType type, std::span<const std::uint8_t> b) {
    std::optional<PictureSize> size;
    if (type == PictureType::Png && b.size() >= 24 && std::memcmp(b.data() + 12, "IHDR", 4) == 0) {
        size = PictureSize{BigEndian(b, 16, 4), BigEndian(b, 20, 4)};
    } else if (type == PictureType::Gif && b.size() >= 10) {
        size = PictureSize{b[6] | b[7] << 8, b[8] | b[9] << 8};
    } else if (type == PictureType::Jpeg) {
        // Segment after segment to the first frame header (SOF0 .. SOF15, not DHT, JPG or DAC).
        std::size_t at = 2;
        while (at + 4 <= b.size() && b[at] == 0xFF) {
            const std::uint8_t marker = b[at + 1];
            if (marker == 0xFF) {
                ++at;
                continue;
            }
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                at += 2;
                continue;
            }
            const std::size_t length = static_cast<std::size_t>(BigEndian(b, at + 2, 2));
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                if (at + 9 > b.size()) break;
                size = PictureSize{BigEndian(b, at + 7, 2), BigEndian(b, at + 5, 2)};
                break;
            }
            if (length < 2) break;
            at += 2 + length;
        }
    }
    if (size && (size->width <= 0 || size->height <= 0)) return std::nullopt;
    return size;
}

struct Cover {
    std::string id;
    std::string_view format; // JPEG, PNG, GIF
    PictureSize size;
    std::vector<std::uint8_t> bytes;
};

// The picture of a multimedia entry ready for Tellico, or why there is none.
Expected<Cover, std::string> CoverOf(const TellicoExportInput& input, std::string_view entry) {
    const auto file = FindMediaFile(input.mediasFolder, entry);
    if (!file) return Unexpected(std::string("not found in the multimedia folder"));
    auto read = ReadFileBytes(*file, CoverFileLimit);
    if (!read) {
        const FileFailure& f = read.error();
        return Unexpected(f.error == FileError::Invalid
                              ? std::string("larger than 64 MB")
                              : "cannot be read" + (f.detail.empty() ? "" : ": " + f.detail));
    }
    Cover cover;
    cover.bytes = std::move(*read);
    const PictureType type = TypeOf(cover.bytes);
    const auto size = HeaderSize(type, cover.bytes);
    static constexpr std::string_view Formats[] = {"JPEG", "PNG", "GIF"};
    static constexpr std::string_view Extensions[] = {"jpeg", "png", "gif"};
    std::size_t kind = static_cast<std::size_t>(type);
    if (size) {
        cover.size = *size;
    } else {
        if (!input.codec || !input.codec->convert)
            return Unexpected(std::string("no converter for this kind of picture"));
        const std::string_view extension = entry.substr(std::min(entry.size(), entry.rfind('.') + 1));
        auto converted = input.codec->convert(cover.bytes, extension, "png");
        if (!converted || converted->bytes.empty())
            return Unexpected(std::string("not a picture that can be read"));
        cover.bytes = std::move(converted->bytes);
        cover.size = {converted->width, converted->height};
        kind = static_cast<std::size_t>(PictureType::Png);
    }
    cover.format = Formats[kind];
    cover.id = Md5Hex(cover.bytes) + "." + std::string(Extensions[kind]);
    return cover;
}

void AppendBase64(std::string& out, std::span<const std::uint8_t> bytes) {
    constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        out += Digits[v >> 18];
        out += Digits[(v >> 12) & 63];
        out += Digits[(v >> 6) & 63];
        out += Digits[v & 63];
    }
    if (const std::size_t left = bytes.size() - i) {
        const std::uint32_t v = bytes[i] << 16 | (left == 2 ? bytes[i + 1] << 8 : 0);
        out += Digits[v >> 18];
        out += Digits[(v >> 12) & 63];
        out += left == 2 ? Digits[(v >> 6) & 63] : '=';
        out += '=';
    }
}

// ---- The document ----

enum class Encoding { Utf8, Cp1252 };

class TellicoWriter {
  public:
    TellicoWriter(const TellicoExportInput& input, TellicoDocument& document)
        : input_(input), c_(*input.collection), out_(document.xml), document_(document) {
        MessageCatalogue english;
        english.SetLanguage(English);
        for (int code = 0; code < GenreCount; ++code)
            genres_.push_back(GenreName(english, code));
        for (const Msg language : DvdLanguageItems)
            languages_.emplace_back(Trimmed(MessageText(language, English)));
        languages_[7] = "Other";
    }

    void Write(TellicoImages images);

  private:
    void Fields();
    void Entry(std::size_t id, const TitleRecord& t);
    void Images(TellicoImages images);
    const Cover* CoverFor(const TitleRecord& t);

    static std::string_view Trimmed(std::string_view s) {
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        return s;
    }
    void Append(std::string_view text, Encoding encoding) {
        if (encoding == Encoding::Cp1252)
            AppendCp1252(out_, text);
        else
            AppendUtf8(out_, text);
    }
    // <name>text</name>
    void Value(std::string_view name, std::string_view text, Encoding encoding = Encoding::Utf8) {
        if (text.empty()) return;
        out_ += "   <";
        out_ += name;
        out_ += '>';
        Append(text, encoding);
        out_ += "</";
        out_ += name;
        out_ += ">\n";
    }
    void Number(std::string_view name, long long value) { Value(name, std::to_string(value)); }
    void Date(std::string_view name, DayNumber day) {
        const auto date = DateOf(day);
        if (!date) return;
        out_ += "   <";
        out_ += name;
        out_ += " calendar=\"gregorian\"><year>";
        AppendNumber(out_, date->year);
        out_ +=
            "</year><month>" + TwoDigits(date->month) + "</month><day>" + TwoDigits(date->day) + "</day></";
        out_ += name;
        out_ += ">\n";
    }
    // <names><name>value</name>...</names>, nothing without values.
    void Values(std::string_view name, std::span<const std::string_view> values,
                Encoding encoding = Encoding::Utf8) {
        if (values.empty()) return;
        out_ += "   <";
        out_ += name;
        out_ += "s>";
        for (const std::string_view value : values) {
            out_ += '<';
            out_ += name;
            out_ += '>';
            Append(value, encoding);
            out_ += "</";
            out_ += name;
            out_ += '>';
        }
        out_ += "</";
        out_ += name;
        out_ += "s>\n";
    }
    void NameValues(std::string_view name, ListId list, int entry) {
        const std::string_view text = NameText(list, entry);
        if (!text.empty()) Values(name, std::span(&text, 1), Encoding::Cp1252);
    }
    std::string_view NameText(ListId list, int entry) const {
        if (entry < 0 || entry >= MaxEntryNumber) return {};
        return NameAt(c_.List(list), entry);
    }

    const TellicoExportInput& input_;
    const Collection& c_;
    std::string& out_;
    TellicoDocument& document_;
    std::vector<std::string> genres_, languages_;
    std::vector<std::string_view> values_; // reused from title to title
    std::vector<Cover> covers_;
    std::unordered_map<int, int> coverOfEntry_; // media entry → index in covers_, -1 for none
    std::map<std::string, std::size_t> coverOfId_;
};

void TellicoWriter::Write(TellicoImages images) {
    out_.reserve(input_.records.size() * 1600 + 8192);
    out_ += Head;
    out_ += " <collection title=\"";
    AppendUtf8(out_, input_.title);
    out_ += "\" type=\"3\">\n";
    Fields();
    std::size_t id = 1;
    for (const std::uint16_t r : input_.records)
        if (r < c_.Count()) Entry(id++, c_.RecordAt(r));
    Images(images);
    out_ += " </collection>\n</tellico>\n";
}

void TellicoWriter::Fields() {
    out_ += "  <fields>\n   <field name=\"_default\"/>\n";
    for (const FieldDeclaration& f : DeclaredFields) {
        out_ += "   <field name=\"";
        out_ += f.name;
        out_ += "\" title=\"";
        out_ += f.title;
        out_ += "\" category=\"";
        out_ += f.category;
        out_ += "\" type=\"";
        out_ += f.type;
        out_ += "\" flags=\"";
        out_ += f.flags;
        out_ += "\" format=\"";
        out_ += f.format;
        out_ += '"';
        if (!f.allowed.empty()) {
            out_ += " allowed=\"";
            AppendUtf8(out_, f.allowed);
            out_ += '"';
        }
        if (f.markProps) {
            out_ +=
                ">\n    <prop name=\"minimum\">1</prop>\n    <prop name=\"maximum\">5</prop>\n   </field>\n";
        } else if (!f.columns.empty()) {
            out_ += ">\n";
            int column = 0;
            for (std::string_view rest = f.columns; !rest.empty();) {
                const std::size_t end = std::min(rest.find(';'), rest.size());
                out_ += "    <prop name=\"column" + std::to_string(++column) + "\">";
                AppendUtf8(out_, rest.substr(0, end));
                out_ += "</prop>\n";
                rest.remove_prefix(std::min(end + 1, rest.size()));
            }
            out_ += "    <prop name=\"columns\">" + std::to_string(column) + "</prop>\n   </field>\n";
        } else {
            out_ += "/>\n";
        }
    }
    out_ += "  </fields>\n";
}

const Cover* TellicoWriter::CoverFor(const TitleRecord& t) {
    const int entry = EntryFromStored(t.Media1());
    const std::string_view name = NameText(ListId::Media, entry);
    if (name.empty() || KindOfMedia(name) != MediaKind::Picture) return nullptr;
    const auto [known, fresh] = coverOfEntry_.try_emplace(entry, -1);
    if (fresh) {
        auto cover = CoverOf(input_, name);
        if (!cover) {
            document_.coversLeftOut.push_back({Cp1252ToUtf8(name), cover.error()});
        } else {
            // The same picture under two entries is one image.
            const auto [same, added] = coverOfId_.try_emplace(cover->id, covers_.size());
            if (added) covers_.push_back(std::move(*cover));
            known->second = static_cast<int>(same->second);
        }
    }
    return known->second < 0 ? nullptr : &covers_[static_cast<std::size_t>(known->second)];
}

void TellicoWriter::Entry(std::size_t id, const TitleRecord& t) {
    const bool dvd = t.Support() == DvdSupport;
    out_ += "  <entry id=\"";
    AppendNumber(out_, static_cast<long long>(id));
    out_ += "\">\n";

    Value("title", t.TitleView(), Encoding::Cp1252);
    if (t.Support() < MediumValues.size()) Value("medium", MediumValues[t.Support()]);
    if (t.Year() != 0) {
        const std::string year = std::to_string(t.Year());
        const std::string_view text = year;
        Values("year", std::span(&text, 1));
    }
    if (t.Length() != 0) Number("running-time", t.Length());
    values_.clear();
    if (t.Genre() < genres_.size()) values_.push_back(genres_[t.Genre()]);
    if (t.Genre2() != 0 && t.Genre2() != t.Genre() && t.Genre2() < genres_.size())
        values_.push_back(genres_[t.Genre2()]);
    Values("genre", values_);
    if (t.Mpaa() < CertificationValues.size()) Value("certification", CertificationValues[t.Mpaa()]);
    if (dvd && t.Zone() < ZoneNames.size()) Value("region", "Region " + std::to_string(t.Zone()));
    if (t.Standard() < StandardNames.size()) Value("format", StandardNames[t.Standard()]);

    NameValues("director", ListId::Director, EntryFromStored(t.Director()));
    NameValues("composer", ListId::Composer, EntryFromStored(t.Composer()));
    NameValues("studio", ListId::Publisher, t.PublisherEntry());
    bool anyActor = false;
    for (const std::size_t offset : ActorOffsets) {
        const std::string_view name = NameText(ListId::Actor, EntryFromStored(t.U16(offset)));
        if (name.empty()) continue;
        out_ += anyActor ? "<cast><column>" : "   <casts><cast><column>";
        AppendCp1252(out_, name);
        out_ += "</column><column/></cast>";
        anyActor = true;
    }
    if (anyActor) out_ += "</casts>\n";

    if (t.AspectRatio() < AspectRatioNames.size()) {
        const std::string ratio = std::string(AspectRatioNames[t.AspectRatio()]) + ":1";
        const std::string_view text = ratio;
        Values("aspect-ratio", std::span(&text, 1));
    }
    if (t.Widescreen169()) Value("widescreen", "true");
    if (t.DirectorsCut()) Value("directors-cut", "true");
    if (t.Color() < ColorNames.size()) Value("color", MessageText(ColorNames[t.Color()], English));
    if (t.Sound() < SoundNames.size()) Value("sound", SoundNames[t.Sound()]);

    // The audio bytes of a DVD, then the flags of any title that no byte already tells.
    values_.clear();
    std::uint8_t spoken = 0;
    bool dolby = false;
    for (const AudioTrack& track : AudioTracks) {
        const std::uint8_t bits = (t.*track.bits)();
        if (bits == 0) continue;
        spoken |= bits;
        values_.push_back(track.text);
        dolby = dolby || track.text.starts_with("Dolby");
    }
    if (t.Ac3() && !dolby) values_.push_back("Dolby Digital");
    if (t.Dts() && t.DvdDts() == 0) values_.push_back("DTS");
    std::vector<std::string_view> tracks = values_;
    values_.clear();
    for (int bit = 0; bit < 8; ++bit)
        if (spoken & (1u << bit)) values_.push_back(languages_[static_cast<std::size_t>(bit)]);
    Values("language", values_);
    Values("audio-track", tracks);
    bool anyPair = false;
    for (const AudioTrack& track : AudioTracks)
        for (int bit = 0; bit < 8; ++bit)
            if ((t.*track.bits)() & (1u << bit)) {
                out_ += anyPair ? "<dvd-audio><column>" : "   <dvd-audios><dvd-audio><column>";
                AppendUtf8(out_, languages_[static_cast<std::size_t>(bit)]);
                out_ += "</column><column>";
                out_ += track.text;
                out_ += "</column></dvd-audio>";
                anyPair = true;
            }
    if (anyPair) out_ += "</dvd-audios>\n";
    values_.clear();
    for (int bit = 0; bit < 8; ++bit)
        if (t.DvdSubtitles() & (1u << bit)) values_.push_back(languages_[static_cast<std::size_t>(bit)]);
    Values("subtitle", values_);

    if (t.FilmRating() != 0) Number("rating", t.FilmRating());
    if (t.PictureRating() != 0) Number("picture-rating", t.PictureRating());
    if (t.SoundRating() != 0) Number("sound-rating", t.SoundRating());
    if (const auto bought = DateOf(t.BuyDate()))
        Value("pur_date",
              std::to_string(bought->year) + "-" + TwoDigits(bought->month) + "-" + TwoDigits(bought->day));
    if (const float price = t.Price(); std::isfinite(price) && price != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(price));
        Value("pur_price", text);
    }
    if (t.Viewings() > 0) {
        Number("viewings", t.Viewings());
        Value("seen", "true");
    }
    // A title not watched yet still has the date it was last marked or added with.
    Date("watch-date", t.WatchDate());
    if (t.CavSides() != 0) Number("cav-sides", t.CavSides());
    if (t.ClvSides() != 0) Number("clv-sides", t.ClvSides());
    Value("series", NameText(ListId::Box, EntryFromStored(t.Box())), Encoding::Cp1252);
    Value("retailer", NameText(ListId::Retailer, EntryFromStored(t.Retailer())), Encoding::Cp1252);
    Value("info", NameText(ListId::Info, EntryFromStored(t.Info())), Encoding::Cp1252);
    Value("info2", NameText(ListId::Info2, EntryFromStored(t.Info2())), Encoding::Cp1252);
    if (t.Trade() == 1 || t.Trade() == 2) Value("trade", MessageText(TradeNames[t.Trade()], English));

    values_.clear();
    for (const Feature& feature : FeatureTable())
        if (t.Flag(feature.offset) && (feature.named.field != "Subtitled" || t.DvdSubtitles() == 0))
            values_.push_back(feature.named.text);
    Values("feature", values_);

    if (t.ReviewNumber() != 0) {
        const auto review =
            ReadReviewText(ReviewFilePath(input_.textFolder, t.TitleView(), t.ReviewNumber()));
        if (review && !review->empty()) {
            out_ += "   <comments>";
            AppendParagraph(out_, *review);
            out_ += "</comments>\n";
        }
    }
    if (const Cover* cover = CoverFor(t)) Value("cover", cover->id);
    out_ += "  </entry>\n";
}

void TellicoWriter::Images(TellicoImages images) {
    if (!covers_.empty()) {
        out_ += "  <images>\n";
        for (Cover& cover : covers_) {
            out_ += "   <image format=\"";
            out_ += cover.format;
            out_ += "\" id=\"" + cover.id + "\" width=\"" + std::to_string(cover.size.width) +
                    "\" height=\"" + std::to_string(cover.size.height) + '"';
            if (images == TellicoImages::Embedded) {
                out_ += '>';
                AppendBase64(out_, cover.bytes);
                out_ += "</image>\n";
            } else {
                out_ += "/>\n";
            }
        }
        out_ += "  </images>\n";
    }
    for (Cover& cover : covers_)
        document_.images.push_back({std::move(cover.id), std::move(cover.bytes)});
}

// ---- The zip ----

// A zip written into memory: the members added, then its bytes.
class MemoryZip {
  public:
    MemoryZip() {
        zip_error_init(&error_);
        source_ = zip_source_buffer_create(nullptr, 0, 0, &error_);
        if (!source_) return;
        // The archive frees its source when it closes: kept, the bytes can be read after.
        zip_source_keep(source_);
        archive_ = zip_open_from_source(source_, ZIP_TRUNCATE, &error_);
    }
    ~MemoryZip() {
        if (archive_) zip_discard(archive_);
        if (source_) zip_source_free(source_);
        zip_error_fini(&error_);
    }
    MemoryZip(const MemoryZip&) = delete;
    MemoryZip& operator=(const MemoryZip&) = delete;

    // The bytes must stay where they are until Bytes(). Pictures are already compressed: stored.
    bool Add(const char* name, std::span<const std::uint8_t> bytes, bool compress) {
        if (!archive_) return false;
        zip_source_t* member = zip_source_buffer(archive_, bytes.data(), bytes.size(), 0);
        if (!member) return false;
        const zip_int64_t index = zip_file_add(archive_, name, member, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(member);
            return false;
        }
        const auto at = static_cast<zip_uint64_t>(index);
        // The fastest deflate: the XML of a large collection shrinks about as well and much sooner.
        return compress ? zip_set_file_compression(archive_, at, ZIP_CM_DEFLATE, 1) == 0
                        : zip_set_file_compression(archive_, at, ZIP_CM_STORE, 0) == 0;
    }
    bool AddFolder(const char* name) {
        return archive_ && zip_dir_add(archive_, name, ZIP_FL_ENC_UTF_8) >= 0;
    }

    std::vector<std::uint8_t> Bytes() {
        std::vector<std::uint8_t> bytes;
        if (!archive_) return bytes;
        const int closed = zip_close(archive_);
        if (closed != 0) return bytes;
        archive_ = nullptr;
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_source_stat(source_, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            zip_source_open(source_) != 0)
            return bytes;
        bytes.resize(static_cast<std::size_t>(stat.size));
        const zip_int64_t read = zip_source_read(source_, bytes.data(), bytes.size());
        zip_source_close(source_);
        if (read != static_cast<zip_int64_t>(bytes.size())) bytes.clear();
        return bytes;
    }

  private:
    zip_error_t error_;
    zip_source_t* source_ = nullptr;
    zip_t* archive_ = nullptr;
};

} // namespace

std::span<const TellicoFeature> TellicoFeatures() {
    static const std::vector<TellicoFeature> named = [] {
        std::vector<TellicoFeature> v;
        for (const Feature& f : FeatureTable())
            v.push_back(f.named);
        return v;
    }();
    return named;
}

TellicoDocument TellicoXml(const TellicoExportInput& input, TellicoImages images) {
    TellicoDocument document;
    if (!input.collection) return document;
    TellicoWriter(input, document).Write(images);
    return document;
}

std::vector<std::uint8_t> TellicoZip(const TellicoExportInput& input,
                                     std::vector<LeftOutCover>* coversLeftOut) {
    TellicoDocument document = TellicoXml(input, TellicoImages::InZip);
    if (coversLeftOut) *coversLeftOut = document.coversLeftOut;
    MemoryZip zip;
    const auto xml =
        std::span(reinterpret_cast<const std::uint8_t*>(document.xml.data()), document.xml.size());
    if (!zip.Add("tellico.xml", xml, true)) return {};
    if (!document.images.empty() && !zip.AddFolder("images")) return {};
    for (const TellicoDocument::Image& image : document.images)
        if (!zip.Add(("images/" + image.id).c_str(), image.bytes, false)) return {};
    return zip.Bytes();
}

} // namespace tavrin

// Ant Movie Catalog 3.5 files: a text header, then one binary record per film to the end of the
// file, little-endian, texts in the Windows code page.
#include "exchange/catalogue_source.h"

#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>

namespace tavrin {
namespace {

// " AMC_3.5 Ant Movie Catalog 3.5.x   www.buypin.com    www.antp.be ": the version follows "AMC_".
constexpr std::size_t HeaderSize = 65;
constexpr std::string_view Mark = " AMC_";
constexpr std::string_view ReadVersion = "3.5";
// A picture larger than this is left out (and said so): no cover is that large.
constexpr std::size_t PictureLimit = 16u * 1024 * 1024;

// The 22 texts of a record, in file order.
enum Text : std::size_t {
    MediaLabel,
    MediaType,
    Source,
    Borrower,
    OriginalTitle,
    TranslatedTitle,
    Director,
    Producer,
    Country,
    Category,
    Actors,
    Url,
    Description,
    Comments,
    VideoFormat,
    AudioFormat,
    Resolution,
    FrameRate,
    Languages,
    Subtitles,
    FileSize,
    PictureExtension,
    TextCount
};

Unexpected<CatalogueFailure> Damaged(std::string detail) {
    return Unexpected(CatalogueFailure{CatalogueError::Damaged, std::move(detail)});
}

// Reads the bytes in order; every read says whether the bytes were there.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - pos_; }

    bool Int(std::int32_t& value) {
        if (Left() < 4) return false;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(bytes_[pos_ + i]) << (8 * i);
        value = static_cast<std::int32_t>(v);
        pos_ += 4;
        return true;
    }
    bool Byte() {
        if (Left() < 1) return false;
        ++pos_;
        return true;
    }
    // A count, then that many bytes; a negative count or one past the end is damage.
    bool Bytes(std::span<const std::uint8_t>& out) {
        std::int32_t length = 0;
        if (!Int(length) || length < 0 || static_cast<std::size_t>(length) > Left()) return false;
        out = bytes_.subspan(pos_, static_cast<std::size_t>(length));
        pos_ += static_cast<std::size_t>(length);
        return true;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A Windows-1252 text as UTF-8, trimmed, its line ends as LF.
std::string TextOf(std::span<const std::uint8_t> bytes) {
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::string lines;
    lines.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            lines += '\n';
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else {
            lines += raw[i];
        }
    }
    return Cp1252ToUtf8(Trimmed(lines));
}

// The parts of a list between separators, trimmed, empty ones dropped; separators inside
// parentheses do not count.
std::vector<std::string> SplitOutsideParentheses(std::string_view text, std::string_view separators) {
    std::vector<std::string> parts;
    int depth = 0;
    std::size_t start = 0;
    const auto take = [&](std::size_t end) {
        const std::string_view part = Trimmed(text.substr(start, end - start));
        if (!part.empty()) parts.emplace_back(part);
        start = end + 1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && depth > 0) --depth;
        if (depth == 0 && separators.find(text[i]) != std::string_view::npos) take(i);
    }
    take(text.size());
    return parts;
}

// "Name (as Role)", "Name (Role)" or "Name".
SourcePerson PersonOf(std::string_view text) {
    SourcePerson person;
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos || !text.ends_with(')')) {
        person.name = std::string(text);
        return person;
    }
    person.name = std::string(Trimmed(text.substr(0, open)));
    std::string_view role = Trimmed(text.substr(open + 1, text.size() - open - 2));
    if (role.size() > 3 && (role.starts_with("as ") || role.starts_with("As ") || role.starts_with("AS ")))
        role = Trimmed(role.substr(3));
    person.role = std::string(role);
    return person;
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The video format is a TV standard in some files and a codec in others (DivX, XviD).
bool NamesAStandard(std::string_view text) {
    const std::string lower = LowerAscii(text);
    return lower.find("pal") != std::string::npos || lower.find("ntsc") != std::string::npos ||
           lower.find("secam") != std::string::npos;
}

// The picture's extension: the one the file gives, else what its bytes show.
std::string PictureExtensionOf(std::string_view given, std::span<const std::uint8_t> bytes) {
    std::string extension = LowerAscii(Trimmed(given));
    if (extension.starts_with('.')) extension.erase(0, 1);
    if (!extension.empty()) return extension;
    const auto startsWith = [&](std::string_view mark) {
        return bytes.size() >= mark.size() && std::memcmp(bytes.data(), mark.data(), mark.size()) == 0;
    };
    if (startsWith("\xFF\xD8\xFF")) return "jpg";
    if (startsWith("\x89PNG")) return "png";
    if (startsWith("GIF8")) return "gif";
    if (startsWith("BM")) return "bmp";
    return {};
}

void AddNote(SourceTitle& title, std::string_view label, std::string value) {
    if (!value.empty()) title.notes.push_back({std::string(label), std::move(value)});
}

// The values no field takes (the video file's details) go under the comments, a labelled line each.
void AddLine(std::string& text, std::string_view label, std::string_view value) {
    if (value.empty()) return;
    if (!text.empty()) text += '\n';
    text += label;
    text += ": ";
    text += value;
}

std::string NumberText(std::int32_t value) {
    return value > 0 ? std::to_string(value) : std::string();
}

struct Record {
    std::array<std::int32_t, 8> numbers{}; // number, date added, rating, year, length, bitrates, files
    std::array<std::string, TextCount> texts;
    std::span<const std::uint8_t> picture;
    bool pictureTooLarge = false;
};
enum Number : std::size_t { Entry, DateAdded, Rating, Year, Length, VideoBitrate, AudioBitrate, Files };

// One record; nothing when it reads whole, else what went wrong.
std::optional<std::string_view> ReadRecord(Reader& in, Record& record) {
    for (std::int32_t& n : record.numbers)
        if (!in.Int(n)) return "the numbers end early";
    // The "checked" mark selects the film in that program's list: nothing of the film itself.
    if (!in.Byte()) return "the numbers end early";
    for (std::size_t i = 0; i < TextCount; ++i) {
        std::span<const std::uint8_t> bytes;
        if (!in.Bytes(bytes)) return "a text runs past the end";
        record.texts[i] = TextOf(bytes);
    }
    std::span<const std::uint8_t> picture;
    if (!in.Bytes(picture)) return "the picture runs past the end";
    record.pictureTooLarge = picture.size() > PictureLimit;
    if (!record.pictureTooLarge) record.picture = picture;
    return std::nullopt;
}

SourceTitle TitleOf(const Record& r) {
    SourceTitle t;
    const auto& text = r.texts;
    const auto number = [&](Number n) { return r.numbers[n]; };

    t.title = !text[OriginalTitle].empty() ? text[OriginalTitle] : text[TranslatedTitle];
    if (!text[OriginalTitle].empty() && !text[TranslatedTitle].empty() &&
        text[TranslatedTitle] != text[OriginalTitle])
        AddNote(t, "Other titles", text[TranslatedTitle]);
    if (number(Year) > 0) t.year = number(Year);
    if (number(Length) > 0) t.length = number(Length);
    t.medium = text[MediaType];
    for (std::string& director : SplitOutsideParentheses(text[Director], ","))
        t.directors.push_back(std::move(director));
    for (std::string& genre : SplitOutsideParentheses(text[Category], ","))
        t.genres.push_back(std::move(genre));
    for (const std::string& actor : SplitOutsideParentheses(text[Actors], ",\n"))
        if (SourcePerson person = PersonOf(actor); !person.name.empty())
            t.actors.push_back(std::move(person));

    if (number(Rating) > 0) t.filmRating = std::to_string(number(Rating));
    t.ratingMaximum = 100;
    if (number(DateAdded) > 0) t.buyDate = number(DateAdded);

    const std::vector<std::string> languages = SplitOutsideParentheses(text[Languages], ",");
    for (const std::string& language : languages)
        t.audio.push_back({language, text[AudioFormat], {}});
    if (languages.empty() && !text[AudioFormat].empty()) t.audio.push_back({{}, text[AudioFormat], {}});
    t.subtitles = SplitOutsideParentheses(text[Subtitles], ",");

    std::string fileLines;
    if (NamesAStandard(text[VideoFormat]))
        t.standard = text[VideoFormat];
    else
        AddLine(fileLines, "Video format", text[VideoFormat]);
    AddLine(fileLines, "Source", text[Source]);
    AddLine(fileLines, "Resolution", text[Resolution]);
    AddLine(fileLines, "Frame rate", text[FrameRate]);
    AddLine(fileLines, "Video bitrate", NumberText(number(VideoBitrate)));
    AddLine(fileLines, "Audio bitrate", NumberText(number(AudioBitrate)));
    AddLine(fileLines, "File size", text[FileSize]);
    AddLine(fileLines, "Files", NumberText(number(Files)));

    // The media label is what the disc is found by on the shelf.
    AddNote(t, "Location", text[MediaLabel]);
    AddNote(t, "Producers", text[Producer]);
    AddNote(t, "Country", text[Country]);
    AddNote(t, "Lent to", text[Borrower]);
    AddNote(t, "Web", text[Url]);
    AddNote(t, "Plot", text[Description]);
    std::string comments = text[Comments];
    if (!fileLines.empty()) comments += (comments.empty() ? "" : "\n\n") + fileLines;
    AddNote(t, "Comments", std::move(comments));

    if (!r.picture.empty()) {
        t.cover.bytes.assign(r.picture.begin(), r.picture.end());
        t.cover.extension = PictureExtensionOf(text[PictureExtension], r.picture);
    } else if (r.pictureTooLarge) {
        AddNote(t, "Cover", "a picture over 16 MB, left out");
    }
    return t;
}

// "3.5" of " AMC_3.5 ..."; a version with more digits compares by its numbers.
bool IsNewer(std::string_view version) {
    int major = 0, minor = 0;
    const char* end = version.data() + version.size();
    auto [p, ec] = std::from_chars(version.data(), end, major);
    if (ec != std::errc() || p == end || *p != '.') return false;
    std::from_chars(p + 1, end, minor);
    return major > 3 || (major == 3 && minor > 5);
}

} // namespace

CatalogueRead ReadAntMovieCatalog(std::span<const std::uint8_t> bytes) {
    const std::string_view head(reinterpret_cast<const char*>(bytes.data()),
                                std::min(bytes.size(), HeaderSize));
    if (!head.starts_with(Mark)) return Unexpected(CatalogueFailure{CatalogueError::NotACatalogue, {}});
    if (bytes.size() < HeaderSize) return Damaged("the header ends early");
    const std::string_view afterMark = head.substr(Mark.size());
    const std::string_view version = afterMark.substr(0, afterMark.find(' '));
    if (version != ReadVersion) {
        const bool readable =
            !version.empty() && version.find_first_not_of("0123456789.") == std::string_view::npos;
        const std::string detail =
            (readable ? "version " + std::string(version) : std::string("an unknown version")) +
            "; only version 3.5 files are read";
        if (IsNewer(version)) return Unexpected(CatalogueFailure{CatalogueError::TooNew, detail});
        return Damaged(detail);
    }

    Reader in(bytes.subspan(HeaderSize));
    // Owner, e-mail, web page, description: the catalogue's own, not the films'.
    for (int i = 0; i < 4; ++i) {
        std::span<const std::uint8_t> ignored;
        if (!in.Bytes(ignored)) return Damaged("the header's texts run past the end");
    }
    SourceCatalogue catalogue;
    catalogue.format = CatalogueFormat::AntMovieCatalog;
    while (!in.AtEnd()) {
        Record record;
        if (const auto damage = ReadRecord(in, record))
            return Damaged("record " + std::to_string(catalogue.titles.size() + 1) + ": " +
                           std::string(*damage));
        catalogue.titles.push_back(TitleOf(record));
    }
    return catalogue;
}

} // namespace tavrin

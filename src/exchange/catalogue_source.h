// A collection kept in another catalogue program, as its reader gives it: every title with its
// values as the source wrote them (UTF-8, trimmed, markup gone), before any of them is made to
// fit a title record. The readers only parse; landing the values (catalogue_import.h) is one
// place for every format.
//
//   auto format = RecogniseCatalogue(bytes);             // by content, never by name
//   auto source = ReadCatalogue(*format, bytes);         // or ReadTellico(bytes) ...
//   if (!source) ... CatalogueFailureText(source.error())
#pragma once

#include "store/day_number.h"
#include "store/expected.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrin {

enum class CatalogueFormat { Tellico, GCstar, DvdProfiler, Collectorz, Griffith, DataCrow, AntMovieCatalog };

// "Tellico", "GCstar", "DVD Profiler", "Collectorz", "Griffith", "Data Crow", "Ant Movie Catalog":
// the names the refusal and the report use.
std::string_view CatalogueFormatName(CatalogueFormat format);

// The format by the file's first bytes and its XML root; nothing for anything else (another
// kind of file, a book or music collection is refused later by its reader).
std::optional<CatalogueFormat> RecogniseCatalogue(std::span<const std::uint8_t> bytes);

// A person with a part: an actor and the role, a crew member and the job.
struct SourcePerson {
    std::string name;
    std::string role; // may be empty
    friend bool operator==(const SourcePerson&, const SourcePerson&) = default;
};

// One audio track: a language, a format ("Dolby Digital 5.1", "DTS", "PCM"), maybe channels
// ("5.1", "2-Channel Stereo"). A track the source gives without a language or without a format
// has that part empty.
struct SourceAudio {
    std::string language;
    std::string format;
    std::string channels;
    friend bool operator==(const SourceAudio&, const SourceAudio&) = default;
};

// The front cover: its bytes when the source holds them (with the picture's extension, "jpeg",
// "png"), else the path or address as the source wrote it.
struct SourceCover {
    std::vector<std::uint8_t> bytes;
    std::string extension;
    std::string path;
    bool Empty() const { return bytes.empty() && path.empty(); }
};

// A labelled value for the review text that only this format has (Original title, Edition,
// Country, Lent to, Tags, Web, Barcode, Plot, Comments ...). The label without its colon, as
// the review text writes it; the landing puts the labels in their one order.
struct SourceNote {
    std::string label;
    std::string value;
    friend bool operator==(const SourceNote&, const SourceNote&) = default;
};

struct SourceTitle {
    std::string title;
    int year = 0;              // 0: none
    std::optional<int> length; // minutes, already converted (RunningMinutes)
    std::string medium;        // as written; empty: none
    std::vector<std::string> regions;
    std::string standard; // NTSC, PAL, SECAM ...
    std::vector<std::string> aspectRatios;
    bool widescreen = false; // a flag of the source (TC widescreen, DP Format16X9)
    bool panScan = false;    // DP FormatPanAndScan, FormatFullFrame
    std::string color;
    std::string certification;           // as written ("PG-13 (Parental Guidance)", "FSK 16")
    std::optional<int> certificationAge; // GC age, DP RatingAge: read when certification is empty
    std::string certificationSystem;     // DP RatingSystem, for the review line
    std::vector<std::string> genres;
    std::vector<std::string> directors;
    std::vector<SourcePerson> actors;
    std::vector<std::string> composers;
    std::vector<std::string> publishers; // first one to Publisher, the others "Other studios:"
    std::vector<std::string> boxes;      // Box: the first present
    // Marks as the source gives them with their scale's maximum (TC the field's, GC 10, AMC 100).
    std::string filmRating, pictureRating, soundRating;
    double ratingMaximum = 10;
    int viewings = 0;                   // 1 for a "seen" mark, DP the Watched count
    std::optional<DayNumber> watchDate; // the latest
    std::optional<DayNumber> buyDate;   // none: today
    std::string price;                  // as written ("$19.99", "12,50 €")
    std::string retailer;
    int cavSides = 0, clvSides = 0; // worked out by the reader from its disc data
    std::vector<SourceAudio> audio; // paired tracks (and lone languages or formats)
    std::vector<std::string> subtitles;
    bool directorsCut = false;
    std::vector<std::string> extras; // DP feature names ("Commentary", "THXCertified"), CZ texts
    std::string trade;               // DP CollectionType, CZ collectionstatus
    // Values only Tavrin's own Tellico files carry, as its export wrote them: the Sound choice and
    // the two Other Information texts.
    std::string sound;
    std::string info, info2;
    SourceCover cover;
    std::vector<SourceNote> notes;
};

struct SourceCatalogue {
    CatalogueFormat format = CatalogueFormat::Tellico;
    std::vector<SourceTitle> titles;
};

enum class CatalogueError {
    NotACatalogue, // no format recognised, or a collection of another kind (books, music)
    Damaged,       // recognised, but the XML, the zip or the binary records do not read
    TooNew,        // a Tellico syntax version above 11
};

struct CatalogueFailure {
    CatalogueError error = CatalogueError::NotACatalogue;
    std::string detail; // what did not read, for the message ("line 12: unclosed tag")
};

using CatalogueRead = Expected<SourceCatalogue, CatalogueFailure>;

// The readers: bytes of a whole file. A reader never fails on a value: an unreadable value is
// left empty or kept as a note.
CatalogueRead ReadTellico(std::span<const std::uint8_t> bytes); // zip or bare XML
CatalogueRead ReadGcstar(std::span<const std::uint8_t> bytes);
CatalogueRead ReadDvdProfiler(std::span<const std::uint8_t> bytes);
CatalogueRead ReadCollectorz(std::span<const std::uint8_t> bytes);
CatalogueRead ReadGriffith(std::span<const std::uint8_t> bytes);
CatalogueRead ReadDataCrow(std::span<const std::uint8_t> bytes);
CatalogueRead ReadAntMovieCatalog(std::span<const std::uint8_t> bytes);

// The reader of a recognised format.
CatalogueRead ReadCatalogue(CatalogueFormat format, std::span<const std::uint8_t> bytes);

} // namespace tavrin

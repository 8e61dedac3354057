// "Import From Another Program": a collection kept in Tellico, GCstar, DVD Profiler, Collectorz,
// Griffith, Data Crow or Ant Movie Catalog appended to the open collection, covers and all.
// Every value lands in its field or, when it has none or does not fit, in a labelled line of the
// title's review text; whatever had to be approximated is counted in the report.
//
//   auto plan = PlanCatalogueImport(collection, source, options);   // nothing written yet
//   ... show plan.report ...
//   auto done = ImportCatalogue(changes, plan, folders, codec, current, today);  // one Undo step
#pragma once

#include "editing/collection_changes.h"
#include "exchange/catalogue_source.h"
#include "lang/catalogue.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"
#include "store/pictures/picture_codec.h"
#include "store/title_record.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// "NAME is not a film collection Tavrin can import (Tellico, GCstar, ...)." and the others.
Msg CatalogueFailureMessage(const CatalogueFailure& failure);
// The message with the file's name in (UTF-8).
std::string CatalogueFailureText(const CatalogueFailure& failure, std::string_view fileName, int language);

// A cover's path as the source wrote it, as a file: relative to folder, backslashes read as
// slashes, file: addresses as paths; nothing for a web address.
std::optional<std::filesystem::path> CoverFilePath(std::string_view written,
                                                   const std::filesystem::path& folder);

// Reads a file of another program: recognised by its content, then read.
CatalogueRead ReadCatalogueBytes(std::span<const std::uint8_t> bytes);

struct CatalogueImportOptions {
    bool keepDuplicates = false;        // "Import titles already in the collection"
    DayNumber today = 0;                // the bought date of a title without one
    std::filesystem::path sourceFolder; // linked covers are found from here
};

// How the values of one field fared over the whole import.
struct FieldTally {
    std::size_t kept = 0;         // landed as the source wrote it
    std::size_t approximated = 0; // landed, changed to fit (a code, a shortened or plainer text)
    std::size_t review = 0;       // moved to the review text, whole or in part
    friend bool operator==(const FieldTally&, const FieldTally&) = default;
};

struct CatalogueReport {
    CatalogueFormat format = CatalogueFormat::Tellico;
    std::size_t titles = 0;                   // in the source
    std::size_t imported = 0;                 // the titles to be appended
    std::size_t duplicates = 0;               // found in the collection or earlier in the source
    std::size_t coversFound = 0;              // held in the source or found on disk
    std::size_t coversMissing = 0;            // web addresses, missing or unreadable files
    std::size_t coversCopied = 0;             // after the import: written into MEDIAS
    std::map<std::string, FieldTally> fields; // by the record's field name ("Director")
    std::vector<std::string> shortened;       // "FULL TEXT → SHORT" for titles and names over 49
    std::vector<std::string> letters;         // "Title: Łódź → Lodz" for letters made plain
};

// One title ready to land: its record without names, the names by slot, its review text.
struct PlannedTitle {
    TitleRecord record;
    std::string director, composer, publisher, box, retailer, info,
        info2; // Windows-1252, upper case; empty: none
    std::array<std::string, 5> actors;
    std::string review; // Windows-1252, CR LF; empty: no file
    SourceCover cover;  // the front picture to copy, if any
    bool coverFound = false;
    bool duplicate = false;
};

struct CataloguePlan {
    CatalogueReport report;
    std::vector<PlannedTitle> titles; // in source order, duplicates marked
    CatalogueImportOptions options;
};

// Every title of the source made to fit a record, duplicates found, the report filled; reads the
// linked covers' files to tell whether they are there, writes nothing.
CataloguePlan PlanCatalogueImport(const Collection& c, const SourceCatalogue& source,
                                  const CatalogueImportOptions& options);

// The report as JSON: {"format": "Tellico", "titles": 85, "imported": 82, "duplicates": 3,
// "covers": {"copied": 40, "missing": 2}, "fields": {...}, "shortened": [...], "letters": [...]}.
std::string CatalogueReportJson(const CatalogueReport& report);
// "Imported 82 titles from Tellico: 3 duplicates left out, 40 covers copied, 2 missing"
std::string CatalogueSummary(const CatalogueReport& report);

enum class CatalogueImportError { Nothing, CollectionFull, ListFull, FileNotWritten };
struct CatalogueImportRefusal {
    CatalogueImportError error = CatalogueImportError::Nothing;
    ListId list = ListId::Director; // ListFull
    std::string detail;             // FileNotWritten: the file and the reason
};
Msg CatalogueImportMessage(const CatalogueImportRefusal& refusal);

struct ImportFolders {
    std::filesystem::path text;   // review texts
    std::filesystem::path medias; // covers
};

// Progress while titles are landed: how many of the planned ones are done.
using ImportProgress = std::function<void(std::size_t done, std::size_t total)>;

// The planned titles (duplicates left out unless kept) appended to the open collection as one
// step: names found or appended, covers copied into MEDIAS under new names and added to the media
// list, review texts written. Refused whole when the collection or a list cannot take them.
// Fills report.coversCopied (and coversMissing for covers that could not be read after all).
Expected<std::size_t, CatalogueImportRefusal>
ImportCatalogue(Changes ch, CataloguePlan& plan, const ImportFolders& folders, const PictureCodec& codec,
                std::optional<std::size_t> current, const ImportProgress& progress = {});

} // namespace tavrin

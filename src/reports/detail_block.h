// The detail block: the lines that describe one title in the text export, the HTML export and the
// printed list. One function builds them for the ticked boxes; each output only dresses them.
//
//   ReportTexts texts(catalogue);             // the catalogue's texts as 8-bit, built once a report
//   DateFormat dates("dd/MM/yyyy");           // the short-date pattern
//   ReportContext context{collection, texts, dates};
//   std::vector<DetailLine> lines = DetailBlock(context, record, choices.details);
//
// Every line carries its section (which part of the block it is), whether that section's check
// box is ticked, its text (8-bit Windows-1252, no line end) and the ranges of that text that are
// labels rather than values ("Directed by : ", "Movie Mark : "), so that the HTML form can set
// the labels in bold and end each section as it needs. Joining the pieces gives the text form.
//
// The text form (BlockForm::Text) holds, in order: the heading; the genre; the publisher line
// (empty when the box is clear or the title has none); the director; the actors on one line; the
// composer line (empty like the publisher's); sides; sound; subtitles; aspect ratio; the length
// and rating line (empty when neither box is ticked); THX and other flags; box set; extras; the
// other informations (one line each); marks; purchase; watching. A section whose box is clear
// gives no line, except the three lines said to be empty. The printed form (BlockForm::Print)
// drops the empty publisher and composer lines and puts the actors three to a line.
#pragma once

#include "lang/catalogue.h"
#include "reports/date_format.h"
#include "reports/report_choices.h"
#include "store/collection.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The catalogue of one language with every text converted to 8-bit once, and the genre names.
class ReportTexts {
  public:
    explicit ReportTexts(const MessageCatalogue& catalogue);
    std::string_view operator()(Msg m) const { return texts_[static_cast<std::size_t>(m)]; }
    // The name of a genre code; empty beyond the 33 codes.
    std::string_view Genre(int code) const;
    int Language() const { return language_; }

  private:
    int language_;
    std::vector<std::string> texts_;
    std::vector<std::string> genres_;
};

// What every report reads: the collection, the texts of the report's language and the date pattern.
struct ReportContext {
    const Collection& collection;
    const ReportTexts& texts;
    const DateFormat& dates;
};

enum class DetailSection {
    Heading,      // title (year) medium [zone] - standard: always
    Genre,        // GT
    Publisher,    // EdiT; always a line in the text form
    Director,     // DT
    Actors,       // AT
    Composer,     // CT; always a line in the text form
    Sides,        // SideT
    Sound,        // ST
    Subtitles,    // SubT
    AspectRatio,  // RatioT
    LengthRating, // LT and MPAAT share it; always a line
    Flags,        // TT
    Box,          // BT
    Extras,       // ET
    OtherInfo,    // OtherT: up to two lines
    Marks,        // MT
    Purchase,     // PT
    Watching,     // WT
};

// A part [begin, begin + length) of a line's text.
struct TextRange {
    std::uint16_t begin = 0;
    std::uint16_t length = 0;
};

struct DetailLine {
    DetailSection section = DetailSection::Heading;
    // The section's own box is ticked (the heading: always; the length and rating line: LT).
    bool ticked = false;
    std::string text;
    // The label parts of text, in order. The heading's one label is "title (year) ", which the
    // single-page HTML form sets in bold before a line break.
    std::array<TextRange, 4> labels{};
    std::uint8_t labelCount = 0;

    std::span<const TextRange> Labels() const { return {labels.data(), labelCount}; }
    std::string_view Piece(TextRange r) const { return std::string_view(text).substr(r.begin, r.length); }
};

enum class BlockForm { Text, Print };

// The detail block of a title for the ticked boxes.
std::vector<DetailLine> DetailBlock(const ReportContext& context, const TitleRecord& title,
                                    const DetailChoices& details, BlockForm form = BlockForm::Text);
// The same into a buffer that is reused from title to title (its lines keep their storage).
void DetailBlockInto(const ReportContext& context, const TitleRecord& title, const DetailChoices& details,
                     BlockForm form, std::vector<DetailLine>& lines);

// Appends the text form of the block, each line ending in CR LF: what the text export writes.
void AppendDetailBlockText(std::string& out, const ReportContext& context, const TitleRecord& title,
                           const DetailChoices& details);

// The pieces of the lines that other outputs also show, 8-bit.
// The medium text: "LD", "DVD", "VHS", "VCD"; empty beyond them.
std::string_view MediumText(std::uint8_t support);
// The medium text and, for a DVD, a blank and the zone text: "DVD Zone 2".
std::string MediumAndZone(const TitleRecord& title);
// Appends the language name of each bit set in a DVD language byte, in bit order, each name
// ending in its blank and followed by suffix ("(DD 5.1) "): "English (DD 5.1) French (DD 5.1) ".
void AppendDvdLanguages(std::string& out, const ReportTexts& texts, std::uint8_t bits,
                        std::string_view suffix = {});
// The extras in the order the reports list them, with their texts.
struct ExtraItem {
    std::size_t offset; // the flag byte in the record
    std::optional<Msg> entry;
    std::string_view fixed; // the text when there is no entry
};
std::span<const ExtraItem> ReportExtras();
std::string_view ExtraText(const ReportTexts& texts, const ExtraItem& extra);
// A price as the reports write it: truncated to a whole number (0 for a value that is not a number).
long long WholePrice(float price);

} // namespace tavrin

// What the XML catalogue readers share: parsing a file in the encoding it declares, reading values
// trimmed and in valid UTF-8, paragraphs of markup made plain, and the title's notes for the
// review text gathered one label at a time.
#pragma once

#include "exchange/catalogue_source.h"
#include "store/day_number.h"
#include "store/expected.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A cover held inside the file is left out above this size (its id stays as a path).
inline constexpr std::size_t CoverByteLimit = 16u << 20;

// How bytes are read when the file does not declare an encoding.
enum class XmlFallback { Utf8, Cp1252 };

using XmlDocument = std::unique_ptr<pugi::xml_document>;

// The document of a file whose root element is one of roots. A file that is no XML at all, or
// whose root is another, is NotACatalogue; a file that starts as one of these but does not parse
// to its end is Damaged, with the line and what went wrong. The encoding declaration is honoured:
// UTF-8, UTF-16 with its byte-order mark, and Windows-1252, ISO-8859-1 and ISO-8859-15 converted
// to UTF-8 before parsing.
Expected<XmlDocument, CatalogueFailure> ParseCatalogueXml(std::span<const std::uint8_t> bytes,
                                                          std::initializer_list<std::string_view> roots,
                                                          XmlFallback fallback = XmlFallback::Utf8);

// Blanks at both ends taken off (spaces, tabs, line breaks).
std::string_view Trimmed(std::string_view text);
// The text in valid UTF-8: each malformed byte becomes U+FFFD; line ends CR LF and CR become LF.
std::string CleanText(std::string_view text);

// The element's own text (its text and CDATA children, not its elements'), trimmed and clean.
std::string Text(pugi::xml_node node);
// The text of the child of that name; empty when there is none.
std::string ChildText(pugi::xml_node node, const char* name);
// An attribute's value, trimmed and clean; empty when absent.
std::string Attr(pugi::xml_node node, const char* name);

// A paragraph written as HTML as plain text: <br> and the end of a paragraph are line breaks,
// other tags are dropped, entities and numeric references decoded, blanks around lines trimmed.
std::string PlainFromHtml(std::string_view html);

// A whole number at the start of the text ("98", "-1", "4 of 5" give 98, -1, 4); nothing when the
// text does not start with one or it does not fit an int.
std::optional<int> LeadingNumber(std::string_view text);
// The year a text holds: its last run of exactly four digits ("1979", "14/02/1979"); 0 when none.
int YearIn(std::string_view text);
// True, 1, yes: any case.
bool IsTrue(std::string_view text);
// Equal when case is ignored (ASCII letters).
bool SameWord(std::string_view a, std::string_view b);
// Whether text holds word, case ignored.
bool ContainsNoCase(std::string_view text, std::string_view word);
// The date as the review text writes it: YYYY-MM-DD.
std::string DateText(DayNumber day);

// Base64 as Tellico keeps pictures in a bare file, line breaks and blanks skipped. Nothing when a
// character is not base64 or the result would be larger than limit.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text, std::size_t limit);

// One loan for "Lent to:": "Name, since YYYY-MM-DD, due YYYY-MM-DD: note"; a loan that ended:
// "Name, YYYY-MM-DD to YYYY-MM-DD" ("Name, returned YYYY-MM-DD" without its start). A missing name
// is "(name not given)", missing dates are left out.
struct Loan {
    std::string name;
    std::optional<DayNumber> since, due, returned;
    std::string note;
};
std::string LoanText(const Loan& loan);

// The DVD sides: each side that is dual-layered counts in CAV, each single-layer side in CLV. On a
// LaserDisc or a VHS tape nothing the sources say about discs describes the record's sides, so
// both stay 0.
void AddDiscSides(SourceTitle& title, bool dualSided, bool dualLayerA, bool dualLayerB, int discs = 1);

// A title's notes, one per label: values of a line label are joined by "; ", the blocks (Plot,
// Episodes, Comments) by a blank line. Values with no label of their own ("Gift: Yes", a user
// field) become lines "Name: value" of Comments, after the source's own comments.
class NoteList {
  public:
    void Add(std::string_view label, std::string_view value);
    void Add(std::string_view label, const std::vector<std::string>& values);
    void Line(std::string_view name, std::string_view value);
    // The notes in the order they were first added, Comments last.
    std::vector<SourceNote> Take();

  private:
    std::vector<SourceNote> notes_;
    std::string lines_;
};

// The values joined by sep, empty ones left out.
std::string Joined(const std::vector<std::string>& values, std::string_view sep);
// Appends the value unless it is empty or already there.
void AddOnce(std::vector<std::string>& values, std::string value);

} // namespace tavrin

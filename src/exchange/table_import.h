// "Import A Spreadsheet": one title per row of a table (after its header), its names found or
// appended as the title import does. All or nothing: while any cell of a mapped column does not
// fit its field, nothing is imported and every such cell is listed.
//
//   auto table = ReadTable(bytes);
//   ColumnMapping mapping = MapColumns(*table, choices);
//   auto done = ImportTable(collection, *table, mapping, today);
//   if (!done) for (const RefusedCell& cell : done.error().cells) ... RefusedCellReason(cell, header, 0)
//
// Values, blanks around them left out: names and titles as text, upper-cased, at most 49
// characters; code fields (Support, Zone, Standard, Genre, Genre2, Sound, AspectRatio, Mpaa,
// Trade, Color) as their number or as their text in any language ("DVD", "PAL", "Horreur"), the
// medium also as LaserDisc, Laser Disc, Video CD, VCD ... (MediumByName); the length in minutes,
// or as 1:47, 1h 47m, 107 min; dates as YYYY-MM-DD, YYYY/MM/DD or dd/MM/yyyy, maybe with a time;
// prices with a decimal point or comma, maybe a currency and grouped thousands ("12,50 €",
// "$1,299.00"); flags as 1, 0 or the word the spreadsheet export writes. An empty cell leaves its
// field as a new title has it: no name, code and number 0, bought and watched today.
//
// An Actors cell holds several names, split at , ; / | and line breaks, never at blanks alone
// ("Harrison Ford" is one actor). The export's own Actor column joins the names by blanks: there a
// cell without those marks is read by the names the actor list already holds, when they cover it
// whole; when they do not, the row imports without its actors and a warning names it. The first
// five actors of a cell land, more are left out with a warning. A name already in its list is
// linked, never appended twice.
#pragma once

#include "editing/collection_changes.h"
#include "lang/catalogue.h"
#include "reports/table_columns.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"
#include "store/files/table_reader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

enum class CellProblem {
    Unconvertible,    // a character Windows-1252 has no byte for
    ControlCharacter, // a line break or another control character in a text
    TooLong,          // more than the field holds
    NoTitle,          // the title is empty
    NotANumber,
    OutOfRange,
    UnknownValue, // neither a code nor a text of the field (flags and extras too)
    NotADate,
    NotAPrice,
};

// The catalogue entry that says what is wrong with a cell.
Msg CellProblemMessage(CellProblem problem);

struct RefusedCell {
    std::size_t row;    // as the spreadsheet numbers it: the header is row 1
    std::size_t column; // from 0, as in the table
    CellProblem problem;
    std::string characters; // Unconvertible: those characters, each once, UTF-8
    friend bool operator==(const RefusedCell&, const RefusedCell&) = default;
};

// What is wrong with a cell, in a language (UTF-8): characters that cannot be stored are named,
// with header, the column's header text (UTF-8), as the field; a value that a code field, a flag or
// the extras do not take is answered with the values they take, given the column's field.
std::string RefusedCellReason(const RefusedCell& cell, std::string_view header, int language,
                              std::optional<TableField> field = std::nullopt);

enum class TableImportError {
    NoTitleColumn, // no column fills Title
    RefusedCells,  // cells listed in the refusal
    CollectionFull,
    ListFull, // a name list cannot take the new names
};

struct TableImportRefusal {
    TableImportError error = TableImportError::NoTitleColumn;
    std::vector<RefusedCell> cells; // RefusedCells: every one, by row, then column
    ListId list = ListId::Director; // ListFull
};

// The message that tells why nothing was imported.
Msg TableImportMessage(const TableImportRefusal& refusal);
// The message that tells why a file cannot be read as a table.
Msg TableFailureMessage(const TableFailure& failure);

// A cell the import could not take whole; its row was imported all the same.
enum class TableRemark {
    ActorsNotInList,    // names joined by blanks that the actor list does not cover: left out
    MoreThanFiveActors, // the first five were imported
};

struct TableWarning {
    std::size_t row;    // as the spreadsheet numbers it
    std::size_t column; // from 0
    TableRemark remark;
    friend bool operator==(const TableWarning&, const TableWarning&) = default;
};

// "Row 3, Actor: ..." in a language (UTF-8), with header, the column's header text (UTF-8).
std::string TableWarningText(const TableWarning& warning, std::string_view header, int language);

struct TableImported {
    std::size_t first = 0; // record numbers first .. first + count - 1, in row order
    std::size_t count = 0;
    std::vector<TableWarning> warnings; // by row
};

// Appends a title for every row after the header that has a cell not blank, places the new titles
// in the master order. The collection changes only at
// the end, all at once: a refusal leaves it as it was.
Expected<TableImported, TableImportRefusal> ImportTable(Collection& c, const Table& table,
                                                        const ColumnMapping& mapping, DayNumber today);
// The same into the open collection, as one step of its history (one Undo takes every new title
// and name away); current is the title shown before it.
Expected<TableImported, TableImportRefusal> ImportTable(Changes ch, const Table& table,
                                                        const ColumnMapping& mapping, DayNumber today,
                                                        std::optional<std::size_t> current);

} // namespace tavrin

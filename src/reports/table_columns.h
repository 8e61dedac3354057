// Which title field each column of an imported table fills. The first row is the header; a column
// maps to a field when its header, compared without case and without the blanks around it, is the
// field's name as tavrin-cli dump prints it ("Title", "Actor3", "BuyDate"), a header of this
// program's spreadsheet export in any of the five languages ("Titre", "LD/DVD/VHS", "Purchased the
// ") or a header people give such a column in the five languages ("Cast", "Medium", "Purchase
// Date", "Runtime", "Studio", "Darsteller" ...). Other columns are left out, and any column can be
// mapped or left out by hand.
//
//   ColumnMapping mapping = MapColumns(table);                    // the automatic mapping
//   const ColumnChoice choices[] = {{3, TableField::Director}, {5, std::nullopt}};
//   mapping = MapColumns(table, choices);                         // column 3 by hand, 5 left out
#pragma once

#include "store/files/table_reader.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The fields a column can fill, in record order, then the two columns of the spreadsheet export
// that fill several fields at once.
enum class TableField {
    Title,
    Year,
    Length,
    AspectRatio,
    Director,
    Actor1,
    Actor2,
    Actor3,
    Actor4,
    Actor5,
    Genre, // "Science Fiction - Horror" fills Genre2 too, unless a column of its own does
    Mpaa,
    FilmRating,
    PictureRating,
    SoundRating,
    CavSides,
    ClvSides,
    Standard,
    Sound,
    Thx,
    DirectorsCut,
    Subtitled,
    Dubbed,
    Ac3,
    Dts,
    Used,
    Box,
    Info,
    Widescreen169,
    Support,
    Zone,
    PanScan,
    IsolatedScore,
    Info2,
    MultiAngle,
    Genre2,
    Trade,
    Retailer,
    Flipper,
    Color,
    Interview,
    Trailer,
    DeletedScenes,
    Featurette,
    Commentary,
    NotesPhotosBio,
    OtherExtras,
    Documentary,
    Viewings,
    Composer,
    WatchDate,
    Price,
    BuyDate,
    Rotted,
    Publisher,
    Actors, // several actors in a cell ("Cast", the export's "Actor"); only when no Actor1 .. Actor5 column
    Extras, // the export's "EXTRAS": the extras' texts one after the other
};
inline constexpr std::size_t TableFieldCount = static_cast<std::size_t>(TableField::Extras) + 1;

// Every field, in the order above.
std::span<const TableField> AllTableFields();
// The name of a field as tavrin-cli dump prints it; "Actors" and "Extras" for the last two.
std::string_view TableFieldName(TableField field);
// The field of a name, compared without case and surrounding blanks; nothing for any other text.
std::optional<TableField> TableFieldFromName(std::string_view name);
// The name of a field in a language (UTF-8), as the import window lists it: the catalogue's label
// of the field ("Medium", "Datenträger", "Actor 3") or the fixed text the program shows ("THX").
std::string TableFieldLabel(TableField field, int language);
// True when a header (8-bit) is the Actor header of this program's spreadsheet export in one of the
// five languages: that column's cells hold the names joined by blanks.
bool IsExportActorHeader(std::string_view header);

// The field each header column fills, or nothing for a column left out.
using ColumnMapping = std::vector<std::optional<TableField>>;

// A column mapped by hand (to a field, or to nothing to leave it out).
struct ColumnChoice {
    std::size_t column;
    std::optional<TableField> field;
};

// The mapping of the table's header row: the columns chosen by hand first, then each other column
// by its header, a field going to the first column that claims it. An Actors column is left out
// once any column fills Actor1 .. Actor5.
ColumnMapping MapColumns(const Table& table, std::span<const ColumnChoice> choices = {});

// The columns no field takes, in order: the ones an import names as not imported.
std::vector<std::size_t> IgnoredColumns(const ColumnMapping& mapping);

// The columns whose header is text (8-bit), compared as the mapping compares: for choices made by
// header text (tavrin-cli import-table --map).
std::vector<std::size_t> ColumnsNamed(const Table& table, std::string_view text);

} // namespace tavrin

#include "reports/table_columns.h"

#include "lang/catalogue.h"
#include "store/text_encoding.h"

#include <array>
#include <bitset>
#include <string>
#include <unordered_map>

namespace tavrin {
namespace {

using F = TableField;

constexpr std::string_view FieldNames[] = {
    "Title",         "Year",          "Length",        "AspectRatio",    "Director",      "Actor1",
    "Actor2",        "Actor3",        "Actor4",        "Actor5",         "Genre",         "Mpaa",
    "FilmRating",    "PictureRating", "SoundRating",   "CavSides",       "ClvSides",      "Standard",
    "Sound",         "Thx",           "DirectorsCut",  "Subtitled",      "Dubbed",        "Ac3",
    "Dts",           "Used",          "Box",           "Info",           "Widescreen169", "Support",
    "Zone",          "PanScan",       "IsolatedScore", "Info2",          "MultiAngle",    "Genre2",
    "Trade",         "Retailer",      "Flipper",       "Color",          "Interview",     "Trailer",
    "DeletedScenes", "Featurette",    "Commentary",    "NotesPhotosBio", "OtherExtras",   "Documentary",
    "Viewings",      "Composer",      "WatchDate",     "Price",          "BuyDate",       "Rotted",
    "Publisher",     "Actors",        "Extras",
};
static_assert(std::size(FieldNames) == TableFieldCount);

constexpr auto MakeAllFields() {
    std::array<TableField, TableFieldCount> all{};
    for (std::size_t i = 0; i < TableFieldCount; ++i)
        all[i] = static_cast<TableField>(i);
    return all;
}
constexpr auto AllFields = MakeAllFields();

// A header of the spreadsheet export: a catalogue text (with a fixed ending) or a fixed text.
struct ExportHeader {
    std::optional<Msg> entry;
    std::string_view text; // the fixed text, or what follows the entry's
    TableField field;
};

constexpr ExportHeader ExportHeaders[] = {
    {Msg::MsgTitle, {}, F::Title},
    {Msg::MsgYear, {}, F::Year},
    {std::nullopt, "LD/DVD/VHS", F::Support},
    {std::nullopt, "DVD Zone", F::Zone},
    {std::nullopt, "Standard", F::Standard},
    {Msg::MsgLength, {}, F::Length},
    {std::nullopt, "CLV/SINGLE/START/DISC", F::ClvSides},
    {std::nullopt, "CAV/RSDL/END", F::CavSides},
    {std::nullopt, "Aspect Ratios", F::AspectRatio},
    {std::nullopt, "16/9", F::Widescreen169},
    {Msg::MsgPSFullFrame, {}, F::PanScan},
    {std::nullopt, "MPAA", F::Mpaa},
    {std::nullopt, "Genre", F::Genre},
    {Msg::MsgPublisher, {}, F::Publisher},
    {Msg::MsgSound, {}, F::Sound},
    {std::nullopt, "Dolby Digital", F::Ac3},
    {std::nullopt, "DTS", F::Dts},
    {Msg::MsgSubtitled, {}, F::Subtitled},
    {std::nullopt, "THX", F::Thx},
    {std::nullopt, "Director's Cut", F::DirectorsCut},
    {Msg::MsgDubbed, {}, F::Dubbed},
    {Msg::MsgDefectRotted, {}, F::Rotted},
    {Msg::MsgIncludedIn, {}, F::Box},
    {std::nullopt, "EXTRAS", F::Extras},
    {Msg::MsgOtherInformations, " 1", F::Info},
    {Msg::MsgOtherInformations, " 2", F::Info2},
    {Msg::MsgDirector, {}, F::Director},
    {Msg::MsgActor, {}, F::Actors},
    {Msg::MsgComposer, {}, F::Composer},
    {Msg::MsgMovieMark, {}, F::FilmRating},
    {Msg::MsgImageMark, {}, F::PictureRating},
    {Msg::MsgSoundMark, {}, F::SoundRating},
    {Msg::MsgPurchasedThe, {}, F::BuyDate},
    {Msg::MsgRetailer, {}, F::Retailer},
    {Msg::MsgPrice, {}, F::Price},
    {Msg::MsgUsed, {}, F::Used},
    {Msg::MsgWatchingTimes, {}, F::Viewings},
    {Msg::MsgWatchedDate, {}, F::WatchDate},
};

// How headers and names are compared: upper case, without the blanks around.
std::string Key(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return UpperCp1252(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

using KeyMap = std::unordered_map<std::string, TableField>;

const KeyMap& NameKeys() {
    static const KeyMap keys = [] {
        KeyMap m;
        for (TableField f : AllFields)
            m.emplace(Key(FieldNames[static_cast<std::size_t>(f)]), f);
        return m;
    }();
    return keys;
}

// The field names first, then the export's headers language by language; a text already taken
// keeps its first field.
const KeyMap& HeaderKeys() {
    static const KeyMap keys = [] {
        KeyMap m = NameKeys();
        for (int language = 0; language < LanguageCount; ++language)
            for (const ExportHeader& h : ExportHeaders) {
                const std::string text =
                    h.entry ? Utf8ToCp1252(MessageText(*h.entry, language)) + std::string(h.text)
                            : std::string(h.text);
                m.emplace(Key(text), h.field);
            }
        return m;
    }();
    return keys;
}

bool IsActorSlot(TableField f) {
    return f >= F::Actor1 && f <= F::Actor5;
}

} // namespace

std::span<const TableField> AllTableFields() {
    return AllFields;
}

std::string_view TableFieldName(TableField field) {
    return FieldNames[static_cast<std::size_t>(field)];
}

std::optional<TableField> TableFieldFromName(std::string_view name) {
    const auto& keys = NameKeys();
    const auto it = keys.find(Key(name));
    return it == keys.end() ? std::nullopt : std::optional<TableField>(it->second);
}

ColumnMapping MapColumns(const Table& table, std::span<const ColumnChoice> choices) {
    const std::size_t columns = table.RowCount() == 0 ? 0 : table.ColumnCount(0);
    ColumnMapping mapping(columns);
    std::vector<bool> chosen(columns, false);
    std::bitset<TableFieldCount> claimed;
    for (const ColumnChoice& choice : choices) {
        if (choice.column >= columns) continue;
        chosen[choice.column] = true;
        mapping[choice.column] = choice.field;
        if (!choice.field) continue;
        // The later choice of a field wins over an earlier one.
        for (std::size_t k = 0; k < columns; ++k)
            if (k != choice.column && mapping[k] == choice.field) mapping[k].reset();
    }
    for (const auto& field : mapping)
        if (field) claimed.set(static_cast<std::size_t>(*field));
    const auto& keys = HeaderKeys();
    for (std::size_t k = 0; k < columns; ++k) {
        if (chosen[k]) continue;
        const auto it = keys.find(Key(table.Cell(0, k)));
        if (it == keys.end() || claimed.test(static_cast<std::size_t>(it->second))) continue;
        mapping[k] = it->second;
        claimed.set(static_cast<std::size_t>(it->second));
    }
    bool slots = false;
    for (const auto& field : mapping)
        slots = slots || (field && IsActorSlot(*field));
    if (slots)
        for (auto& field : mapping)
            if (field == F::Actors) field.reset();
    return mapping;
}

std::vector<std::size_t> ColumnsNamed(const Table& table, std::string_view text) {
    std::vector<std::size_t> found;
    if (table.RowCount() == 0) return found;
    const std::string key = Key(text);
    for (std::size_t k = 0; k < table.ColumnCount(0); ++k)
        if (Key(table.Cell(0, k)) == key) found.push_back(k);
    return found;
}

} // namespace tavrin

#include "reports/table_columns.h"

#include "lang/catalogue.h"
#include "store/text_encoding.h"

#include <array>
#include <bitset>
#include <string>
#include <unordered_map>
#include <vector>

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

// Headers people give their columns, in the five languages (UTF-8): fixed vocabulary, as what
// other spreadsheets call a field is no text of this program.
struct CommonHeader {
    std::string_view text;
    TableField field;
};

constexpr CommonHeader CommonHeaders[] = {
    // English
    {"Actors", F::Actors},
    {"Cast", F::Actors},
    {"Starring", F::Actors},
    {"Stars", F::Actors},
    {"Medium", F::Support},
    {"Media", F::Support},
    {"Format", F::Support},
    {"Media Type", F::Support},
    {"Purchase Date", F::BuyDate},
    {"Date Purchased", F::BuyDate},
    {"Purchased", F::BuyDate},
    {"Bought", F::BuyDate},
    {"Runtime", F::Length},
    {"Running Time", F::Length},
    {"Duration", F::Length},
    {"Studio", F::Publisher},
    {"Studios", F::Publisher},
    {"Distributor", F::Publisher},
    {"Music", F::Composer},
    {"Directors", F::Director},
    {"Directed by", F::Director},
    // French
    {"Acteurs", F::Actors},
    {"Distribution", F::Actors},
    {"Avec", F::Actors},
    {"Support", F::Support},
    {"Date d'achat", F::BuyDate},
    {"Acheté", F::BuyDate},
    {"Musique", F::Composer},
    {"Réalisation", F::Director},
    // German
    {"Darsteller", F::Actors},
    {"Besetzung", F::Actors},
    {"Datenträger", F::Support},
    {"Medientyp", F::Support},
    {"Kaufdatum", F::BuyDate},
    {"Gekauft", F::BuyDate},
    {"Dauer", F::Length},
    {"Musik", F::Composer},
    {"Regie", F::Director},
    // Italian
    {"Attori", F::Actors},
    {"Interpreti", F::Actors},
    {"Supporto", F::Support},
    {"Formato", F::Support},
    {"Data di acquisto", F::BuyDate},
    {"Acquistato", F::BuyDate},
    {"Musica", F::Composer},
    {"Regia", F::Director},
    // Finnish
    {"Näyttelijät", F::Actors},
    {"Pääosissa", F::Actors},
    {"Tallenne", F::Support},
    {"Formaatti", F::Support},
    {"Ostopäivä", F::BuyDate},
    {"Ostettu", F::BuyDate},
    {"Pituus", F::Length},
    {"Musiikki", F::Composer},
};

// The name of each field in the import window: a catalogue entry (with a fixed ending) or a fixed
// text, in TableField order.
struct FieldLabel {
    std::optional<Msg> entry;
    std::string_view text;
};

constexpr FieldLabel FieldLabels[] = {
    {Msg::MsgTitle, {}},
    {Msg::MsgYear, {}},
    {Msg::MsgLength, {}},
    {Msg::MsgFieldAspectRatio, {}},
    {Msg::MsgDirector, {}},
    {Msg::MsgActor, " 1"},
    {Msg::MsgActor, " 2"},
    {Msg::MsgActor, " 3"},
    {Msg::MsgActor, " 4"},
    {Msg::MsgActor, " 5"},
    {Msg::MsgGenre, {}},
    {Msg::MsgFieldCertification, {}},
    {Msg::MsgMovieMark, {}},
    {Msg::MsgImageMark, {}},
    {Msg::MsgSoundMark, {}},
    {Msg::MsgFieldCavSides, {}},
    {Msg::MsgFieldClvSides, {}},
    {Msg::MsgFieldStandard, {}},
    {Msg::MsgSound, {}},
    {std::nullopt, "THX"},
    {std::nullopt, "Director's Cut"},
    {Msg::MsgSubtitled, {}},
    {Msg::MsgDubbed, {}},
    {std::nullopt, "Dolby Digital"},
    {std::nullopt, "DTS"},
    {Msg::MsgUsed, {}},
    {Msg::MsgBoxNameOrMultiple, {}},
    {Msg::MsgOtherInformations, " 1"},
    {std::nullopt, "16/9"},
    {Msg::MsgMediumColumn, {}},
    {std::nullopt, "DVD Zone"},
    {Msg::MsgPSFullFrame, {}},
    {Msg::MsgIsolatedMusicFx, {}},
    {Msg::MsgOtherInformations, " 2"},
    {std::nullopt, "Multi Angle"},
    {Msg::MsgGenre, " 2"},
    {Msg::MsgFieldTrade, {}},
    {Msg::MsgRetailer, {}},
    {std::nullopt, "Flipper"},
    {Msg::MsgColorBlackWhite, {}},
    {std::nullopt, "Interview"},
    {Msg::MsgTrailer, {}},
    {Msg::MsgDeletedScenes, {}},
    {std::nullopt, "Featurette"},
    {Msg::MsgAudioCommentary, {}},
    {std::nullopt, "Notes/Photos/Bio"},
    {Msg::MsgFieldOtherExtras, {}},
    {Msg::MsgDocumentary, {}},
    {Msg::MsgWatchingTimes, {}},
    {Msg::MsgComposer, {}},
    {Msg::MsgWatchedDate, {}},
    {Msg::MsgPrice, {}},
    {Msg::MsgPurchasedColumn, {}},
    {Msg::MsgDefectRotted, {}},
    {Msg::MsgPublisher, {}},
    {Msg::MsgFieldActors, {}},
    {Msg::MsgFieldExtras, {}},
};
static_assert(std::size(FieldLabels) == TableFieldCount);

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

std::string ExportHeaderText(const ExportHeader& h, int language) {
    return h.entry ? Utf8ToCp1252(MessageText(*h.entry, language)) + std::string(h.text)
                   : std::string(h.text);
}

// The field names first, then the export's headers language by language, then the headers people
// use; a text already taken keeps its first field.
const KeyMap& HeaderKeys() {
    static const KeyMap keys = [] {
        KeyMap m = NameKeys();
        for (int language = 0; language < LanguageCount; ++language)
            for (const ExportHeader& h : ExportHeaders)
                m.emplace(Key(ExportHeaderText(h, language)), h.field);
        for (const CommonHeader& h : CommonHeaders)
            m.emplace(Key(Utf8ToCp1252(h.text)), h.field);
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

std::string TableFieldLabel(TableField field, int language) {
    const FieldLabel& label = FieldLabels[static_cast<std::size_t>(field)];
    return label.entry ? std::string(MessageText(*label.entry, language)) + std::string(label.text)
                       : std::string(label.text);
}

bool IsExportActorHeader(std::string_view header) {
    const std::string key = Key(header);
    for (int language = 0; language < LanguageCount; ++language)
        if (key == Key(Utf8ToCp1252(MessageText(Msg::MsgActor, language)))) return true;
    return false;
}

std::vector<std::size_t> IgnoredColumns(const ColumnMapping& mapping) {
    std::vector<std::size_t> ignored;
    for (std::size_t k = 0; k < mapping.size(); ++k)
        if (!mapping[k]) ignored.push_back(k);
    return ignored;
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
